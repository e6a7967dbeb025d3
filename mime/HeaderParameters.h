#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/WideString.h"

namespace ombrel {

// The tokens of a structured header value such as "Content-Type" or "Content-Disposition": a
// media or disposition type and "name=value" parameters, separated by ";". TAB, CR and LF are
// removed first (unfolding the value), a ";" inside a quoted string does not separate, and blanks
// around a token and around its "=" do not count. Parameters may be written in the extended forms
// of RFC 2231: "name*=charset'language'percent-encoded", and sections "name*0=", "name*1*=" ...
// that are joined in the order of their numbers.
class HeaderParameters {
  public:
    explicit HeaderParameters(const WideString& value);

    // The tokens without "=" that do not begin with "/" (the type tokens), in order; a token of
    // blanks only is an empty one.
    const std::vector<std::u16string_view>& TypeTokens() const { return typeTokens_; }

    // The value of the parameter `name` (compared without regard to case), quotes removed; in its
    // extended form when the value has one, else its plain form. Of a parameter written twice the
    // last one counts. Nothing when the value has no such parameter.
    std::optional<WideString> Find(std::u16string_view name) const;

  private:
    struct Parameter {
        std::u16string_view name;   // without the section number and the "*" of the extended form
        std::u16string_view value;  // as written, quotes included
        int section;                // -1 when the name has no section number
        bool extended;
    };

    static WideString Joined(std::vector<const Parameter*> sections);

    std::u16string text_;
    std::vector<std::u16string_view> typeTokens_;
    std::vector<Parameter> parameters_;
};

}  // namespace ombrel

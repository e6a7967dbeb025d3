#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/WideString.h"

namespace ombrel {

// The tokens of a structured header value such as "Content-Type" or "Content-Disposition": a
// media or disposition type and "name=value" parameters, separated by ";". The value is
// unfolded first (CR and LF removed, a TAB read as a blank), a ";" inside a quoted string does not
// separate, and blanks around a token and around its "=" do not count. A first token that holds a
// word and, after a blank, a parameter is read as the two tokens that its writer forgot to
// separate. Parameters may be written in the extended forms of RFC 2231:
// "name*=charset'language'percent-encoded", and sections "name*0=", "name*1*=" ... that are joined
// in the order of their numbers. One object reads value after value, reusing its memory.
class HeaderParameters {
  public:
    // Reads `value`, forgetting what was read before. The tokens point into the value, which must
    // outlive their use.
    void Read(std::u16string_view value);

    // The tokens without "=" that do not begin with "/" (the type tokens), in order; a token of
    // blanks only is an empty one.
    const std::vector<std::u16string_view>& TypeTokens() const { return typeTokens_; }

    // The value of the parameter `name` (compared without regard to case), quotes removed, into
    // `value`, replacing what it held; in its extended form when the value has one, else its plain
    // form. Of a parameter written twice the last one counts. False, leaving `value` as it was,
    // when the value has no such parameter.
    bool Find(std::u16string_view name, std::u16string& value) const;

  private:
    struct Parameter {
        std::u16string_view name;   // without the section number and the "*" of the extended form
        std::u16string_view value;  // as written, quotes included
        int section;                // -1 when the name has no section number
        bool extended;
    };

    static std::u16string Joined(std::vector<const Parameter*> sections);

    std::u16string unfolded_;  // the value without its TAB, CR and LF, where it had any
    std::vector<std::u16string_view> tokens_;
    std::vector<std::u16string_view> typeTokens_;
    std::vector<Parameter> parameters_;
};

}  // namespace ombrel

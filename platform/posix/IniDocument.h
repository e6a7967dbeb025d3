#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ombrel::platform::posix {

// The text of an initialisation file as lines, read and edited as the Windows profile functions
// do: "[section]" lines open sections, "key=value" lines hold keys, and names compare without
// regard to case. An edit changes or adds one line; every other line stays as it was.
class IniDocument {
  public:
    explicit IniDocument(std::u16string_view text = {});

    // The value of the first such key in the first such section: blanks around it removed, and a
    // pair of matching quotes around it removed. Nothing when the key is absent or has no "=".
    std::optional<std::u16string> Find(std::u16string_view section, std::u16string_view key) const;
    // Sets the key's value: the first such key's line is rewritten, or a line is added after the
    // section's last key, or the section is added at the end.
    void Set(std::u16string_view section, std::u16string_view key, std::u16string_view value);

    std::u16string Text() const;

  private:
    struct Line {
        std::u16string text;
        std::u16string ending;  // the line break that ended it in the text ("" for the last)
    };
    struct Span {
        std::size_t header;  // index of the section line
        std::size_t end;     // one past its last line
    };

    std::optional<Span> FindSection(std::u16string_view section) const;
    std::optional<std::size_t> FindKey(const Span& span, std::u16string_view key) const;

    std::vector<Line> lines_;
};

}  // namespace ombrel::platform::posix

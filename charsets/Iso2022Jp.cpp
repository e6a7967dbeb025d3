#include "charsets/Iso2022Jp.h"

#include <array>

#include "charsets/JisX0208Table.h"

namespace ombrel {
namespace {

constexpr char kEscape = '\x1b';
constexpr char16_t kReplacement = 0xFFFD;

enum class CharacterSet { Ascii, Roman, Katakana, JisX0208, OtherDoubleByte };
enum class UpperHalf { None, Latin1, Other };  // the set that the single shift ESC N reads

struct Designation {
    std::string_view sequence;  // after ESC
    CharacterSet set;
};

constexpr std::array kDesignations = {
    Designation{"(B", CharacterSet::Ascii},
    Designation{"(J", CharacterSet::Roman},
    Designation{"(H", CharacterSet::Roman},
    Designation{"(I", CharacterSet::Katakana},
    Designation{"$@", CharacterSet::JisX0208},
    Designation{"$B", CharacterSet::JisX0208},
    Designation{"$(B", CharacterSet::JisX0208},
    Designation{"$(O", CharacterSet::JisX0208},
    Designation{"$(Q", CharacterSet::JisX0208},
    Designation{"$(D", CharacterSet::OtherDoubleByte},
    Designation{"$A", CharacterSet::OtherDoubleByte},
    Designation{"$(C", CharacterSet::OtherDoubleByte},
    Designation{"$(P", CharacterSet::OtherDoubleByte},
};

bool IsGraphic(unsigned char byte) {
    return byte >= 0x21 && byte <= 0x7E;
}

class Iso2022JpReader {
  public:
    Iso2022JpReader(std::string_view bytes, std::u16string& text) : bytes_(bytes), text_(text) {}

    void Read() {
        while (at_ < bytes_.size()) {
            const auto byte = static_cast<unsigned char>(bytes_[at_]);
            if (byte == kEscape) {
                ReadEscape();
            } else if (byte >= 0x80) {
                text_ += kReplacement;
                ++at_;
            } else if (!IsGraphic(byte)) {
                text_ += static_cast<char16_t>(byte);
                ++at_;
            } else {
                ReadGraphic(byte);
            }
        }
    }

  private:
    void ReadEscape() {
        const std::string_view rest = bytes_.substr(at_ + 1);
        for (const Designation& designation : kDesignations) {
            if (rest.starts_with(designation.sequence)) {
                set_ = designation.set;
                at_ += 1 + designation.sequence.size();
                return;
            }
        }
        if (rest.starts_with(".A") || rest.starts_with(".F")) {
            upperHalf_ = rest[1] == 'A' ? UpperHalf::Latin1 : UpperHalf::Other;
            at_ += 3;
        } else if (rest.starts_with("N") && rest.size() >= 2) {
            const auto byte = static_cast<unsigned char>(rest[1]);
            const bool latin1 = upperHalf_ == UpperHalf::Latin1 && byte >= 0x20 && byte < 0x80;
            text_ += latin1 ? static_cast<char16_t>(byte | 0x80) : kReplacement;
            at_ += 3;
        } else if (rest.starts_with("&@")) {
            at_ += 3;  // announces a revised JIS X 0208, which the designation after it names
        } else {
            text_ += kReplacement;
            ++at_;
        }
    }

    void ReadGraphic(unsigned char byte) {
        switch (set_) {
            case CharacterSet::Ascii:
                text_ += static_cast<char16_t>(byte);
                break;
            case CharacterSet::Roman:
                text_ += byte == '\\' ? u'\u00A5' : byte == '~' ? u'\u203E' : char16_t{byte};
                break;
            case CharacterSet::Katakana:
                text_ += byte <= 0x5F ? static_cast<char16_t>(0xFF61 + byte - 0x21) : kReplacement;
                break;
            case CharacterSet::JisX0208:
            case CharacterSet::OtherDoubleByte:
                ReadDoubleByte(byte);
                return;
        }
        ++at_;
    }

    // A character of two graphic bytes; a first byte without a second one is a character lost.
    void ReadDoubleByte(unsigned char first) {
        const auto second =
            at_ + 1 < bytes_.size() ? static_cast<unsigned char>(bytes_[at_ + 1]) : 0;
        if (!IsGraphic(second)) {
            text_ += kReplacement;
            ++at_;
            return;
        }
        text_ += set_ == CharacterSet::JisX0208
                     ? kJisX0208[(first - 0x21) * kJisX0208Rows + (second - 0x21)]
                     : kReplacement;
        at_ += 2;
    }

    std::string_view bytes_;
    std::u16string& text_;
    std::size_t at_ = 0;
    CharacterSet set_ = CharacterSet::Ascii;
    UpperHalf upperHalf_ = UpperHalf::None;
};

}  // namespace

void AppendIso2022JpText(std::string_view bytes, std::u16string& text) {
    Iso2022JpReader(bytes, text).Read();
}

}  // namespace ombrel

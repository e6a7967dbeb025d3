#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

// Generated mail in a realistic mix, deterministic for a seed: the kinds of message that a mail
// store holds, each drawn with its weight, with bodies, sizes and attachments that vary.
namespace ombrel::bench {

enum class MailKind {
    kPlain,        // US-ASCII prose with a quoted reply
    kWestern,      // ISO-8859-1 quoted-printable, Latin-1 words and encoded-word headers
    kAlternative,  // multipart/alternative: quoted-printable text, base64 UTF-8 HTML
    kBase64Text,   // UTF-8 text sent base64
    kCyrillic,     // KOI8-R 8-bit or windows-1251 quoted-printable, encoded-word subject
    kAttachments,  // multipart/mixed: text, binary attachments and an inline image
    kCount,
};

inline constexpr std::array<std::string_view, static_cast<int>(MailKind::kCount)> kMailKindNames = {
    "plain", "western", "alternative", "base64text", "cyrillic", "attachments"};

using MailWeights = std::array<unsigned, static_cast<int>(MailKind::kCount)>;

// About a third of the messages carry attachments, as in a working mailbox.
inline constexpr MailWeights kDefaultWeights = {6, 3, 4, 2, 3, 7};

// Reads "kind=weight,..." (kinds not named keep their default weight); false on a bad text.
bool ParseWeights(std::string_view text, MailWeights& weights);

class MailMix {
  public:
    MailMix(unsigned seed, const MailWeights& weights);

    // The next message: its raw text with CR LF line ends, numbered `serial`.
    std::string Next(int serial);

  private:
    std::string Headers(int serial, std::string_view from, std::string_view subject,
                        std::string_view contentType, std::string_view encoding);
    std::string Prose(int lines);
    std::string Plain(int serial);
    std::string Western(int serial);
    std::string Alternative(int serial);
    std::string Base64Text(int serial);
    std::string Cyrillic(int serial);
    std::string Attachments(int serial);
    std::string Binary(std::size_t size);
    int Between(int low, int high);

    std::mt19937 random_;
    std::discrete_distribution<int> kinds_;
};

}  // namespace ombrel::bench

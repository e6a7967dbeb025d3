#include "tests/support/CharsetMail.h"

#include "common/Base64.h"

namespace ombrel::testing {
namespace {

std::string QuotedPrintable(std::string_view bytes) {
    static constexpr std::string_view kHex = "0123456789ABCDEF";
    std::string encoded;
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        if (value < 0x80 && byte != '=' && byte != '?' && byte != '_' && byte != ' ') {
            encoded += byte;
        } else {
            ((encoded += '=') += kHex[value >> 4]) += kHex[value & 15];
        }
    }
    return encoded;
}

std::string Headers(std::string_view subject) {
    return "From: Anna <anna@example.org>\r\nTo: Bob <bob@example.net>\r\nSubject: " +
           std::string(subject) + "\r\nMIME-Version: 1.0\r\n";
}

std::string Word(const CharsetSample& sample, char encoding) {
    const std::string text =
        encoding == 'Q' ? QuotedPrintable(sample.bytes) : EncodeBase64(sample.bytes);
    return "=?" + std::string(sample.charset) + "?" + encoding + "?" + text + "?=";
}

std::string TextType(const CharsetSample& sample) {
    return "Content-Type: text/plain; charset=" + std::string(sample.charset) + "\r\n";
}

}  // namespace

std::span<const CharsetSample> CharsetSamples() {
    static constexpr CharsetSample kSamples[] = {
        {"koi8-r", "\xF4\xC5\xCD\xC1 \xD0\xC9\xD3\xD8\xCD\xC1: \xF0\xD2\xC9\xD7\xC5\xD4, \xB3\xD6",
         u"\u0422\u0435\u043C\u0430 \u043F\u0438\u0441\u044C\u043C\u0430: "
         u"\u041F\u0440\u0438\u0432\u0435\u0442, \u0401\u0436",
         1251},
        {"KOI8-U", "\xBD\xC1\xCE\xCF\xCB \xA7\xD6\xC1\xCB\xC1 \xA4",
         u"\u0490\u0430\u043D\u043E\u043A \u0457\u0436\u0430\u043A\u0430 \u0454", 1251},
        {"ibm866", "\x8F\xE0\xA8\xA2\xA5\xE2, \xF0\xA6",
         u"\u041F\u0440\u0438\u0432\u0435\u0442, \u0401\u0436", 1251},
        {"x-mac-cyrillic", "\x8F\xF0\xE8\xE2\xE5\xF2, \xDD\xE6",
         u"\u041F\u0440\u0438\u0432\u0435\u0442, \u0401\u0436", 1251},
        {"iso-8859-5", "\xBF\xE0\xD8\xD2\xD5\xE2, \xA1\xD6",
         u"\u041F\u0440\u0438\u0432\u0435\u0442, \u0401\u0436", 1251},
        {"windows-1251", "\xCF\xF0\xE8\xE2\xE5\xF2, \xA8\xE6",
         u"\u041F\u0440\u0438\u0432\u0435\u0442, \u0401\u0436", 1251},
        {"iso-8859-2",
         "\xA3\xF3"
         "d\xBC, \xA9\xBB"
         "astn\xFD",
         u"\u0141\u00F3"
         u"d\u017A, \u0160\u0165"
         u"astn\u00FD",
         1250},
        {"windows-1250",
         "\xA3\xF3"
         "d\x9F, \x8A\x9D"
         "astn\xFD",
         u"\u0141\u00F3"
         u"d\u017A, \u0160\u0165"
         u"astn\u00FD",
         1250},
        {"iso-8859-7", "\xC5\xEB\xEB\xDC\xE4\xE1", u"\u0395\u03BB\u03BB\u03AC\u03B4\u03B1", 1253},
        {"windows-1253", "\xC5\xEB\xEB\xDC\xE4\xE1", u"\u0395\u03BB\u03BB\u03AC\u03B4\u03B1", 1253},
        {"iso-8859-15", "\xA4 \xBCuvre", u"\u20AC \u0152uvre", 1252},
        {"iso-8859-1", "Caf\xE9 \x92s", u"Caf\u00E9 \u2019s", 1252},
        {"iso-8859-9",
         "\xDEi\xFEli \xDD\xF0"
         "de",
         u"\u015Ei\u015Fli \u0130\u011F"
         u"de",
         1254},
        {"windows-1255", "\xF9\xEC\xE5\xED", u"\u05E9\u05DC\u05D5\u05DD", 1255},
        {"windows-1256", "\xD3\xE1\xC7\xE3", u"\u0633\u0644\u0627\u0645", 1256},
        {"windows-1257", "\xC0\xFEuolas", u"\u0104\u017Euolas", 1257},
        {"iso-8859-13", "\xC0\xFEuolas", u"\u0104\u017Euolas", 1257},
        {"windows-1258", "\xD0\xE0 \xFE", u"\u0110\u00E0 \u20AB", 1258},
        {"tis-620", "\xCA\xC7\xD1\xCA\xB4\xD5", u"\u0E2A\u0E27\u0E31\u0E2A\u0E14\u0E35", 874},
        {"shift_jis", "\x93\xFA\x96{\x8C\xEA\x82\xCC\x83\x81\x81[\x83\x8B",
         u"\u65E5\u672C\u8A9E\u306E\u30E1\u30FC\u30EB", 932},
        {"euc-jp", "\xC6\xFC\xCB\xDC\xB8\xEC\xA4\xCE\xA5\xE1\xA1\xBC\xA5\xEB",
         u"\u65E5\u672C\u8A9E\u306E\u30E1\u30FC\u30EB", 932},
        {"gb2312", "\xC4\xE3\xBA\xC3\xA3\xAC\xCA\xC0\xBD\xE7", u"\u4F60\u597D\uFF0C\u4E16\u754C",
         936},
        {"GBK", "\xC4\xE3\xBA\xC3\xA3\xAC\xCA\xC0\xBD\xE7", u"\u4F60\u597D\uFF0C\u4E16\u754C", 936},
        {"big5", "\xA4\xA4\xA4\xE5\xB6l\xA5\xF3", u"\u4E2D\u6587\u90F5\u4EF6", 950},
        {"euc-kr", "\xC7\xD1\xB1\xB9\xBE\xEE \xB8\xDE\xC0\xCF", u"\uD55C\uAD6D\uC5B4 \uBA54\uC77C",
         949},
        {"ks_c_5601-1987", "\xC7\xD1\xB1\xB9\xBE\xEE \xB8\xDE\xC0\xCF",
         u"\uD55C\uAD6D\uC5B4 \uBA54\uC77C", 949},
        {"utf-8",
         "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xE6\x97\xA5\xE6\x9C\xAC \xE2\x82\xAC",
         u"\u041F\u0440\u0438\u0432\u0435\u0442 \u65E5\u672C \u20AC", 1252},
    };
    return kSamples;
}

std::vector<std::string> CharsetMessages(const CharsetSample& sample) {
    const std::string bytes(sample.bytes);
    return {
        Headers(Word(sample, 'B')) + TextType(sample) + "Content-Transfer-Encoding: 8bit\r\n\r\n" +
            bytes + "\r\n",
        Headers(Word(sample, 'Q')) + TextType(sample) +
            "Content-Transfer-Encoding: quoted-printable\r\n\r\n" + QuotedPrintable(bytes) + "\r\n",
        Headers(Word(sample, 'b')) +
            "Content-Type: multipart/mixed; boundary=\"part\"\r\n\r\n--part\r\n" +
            TextType(sample) + "Content-Transfer-Encoding: base64\r\n\r\n" +
            EncodeBase64(bytes + "\r\n") +
            "\r\n--part\r\nContent-Type: application/pdf\r\n"
            "Content-Disposition: attachment; filename=\"a.pdf\"\r\n\r\n%PDF\r\n--part--\r\n",
    };
}

}  // namespace ombrel::testing

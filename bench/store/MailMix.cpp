#include "bench/store/MailMix.h"

#include <algorithm>
#include <charconv>

#include "common/Base64.h"

namespace ombrel::bench {
namespace {

constexpr std::string_view kWords[] = {
    "the",      "figures",  "for",      "quarter", "meeting", "budget",  "please", "review",
    "attached", "report",   "tomorrow", "project", "thanks",  "regards", "update", "customer",
    "invoice",  "delivery", "schedule", "we",      "will",    "send",    "after",  "call"};

// Latin-1 words in quoted-printable form.
constexpr std::string_view kWesternWords[] = {"caf=E9",   "cr=E8me",  "na=EFve",  "r=E9sum=E9",
                                              "M=FCller", "Stra=DFe", "gar=E7on", "se=F1or",
                                              "price",    "order",    "today",    "week"};

// Cyrillic words: KOI8-R bytes.
constexpr std::string_view kKoi8Words[] = {
    "\xf0\xd2\xc9\xd7\xc5\xd4",     "\xcf\xd4\xde\xa3\xd4",         "\xda\xc1",
    "\xcb\xd7\xc1\xd2\xd4\xc1\xcc", "\xd7\xd3\xd4\xd2\xc5\xde\xc1", "\xc4\xcf\xcb\xc1\xda"};

// Cyrillic words: windows-1251 in quoted-printable form.
constexpr std::string_view k1251Words[] = {"=CF=F0=E8=E2=E5=F2", "=EE=F2=F7=B8=F2", "=E7=E0",
                                           "=EA=E2=E0=F0=F2=E0=EB", "=E2=F1=F2=F0=E5=F7=E0"};

std::string Base64Lines(std::string_view bytes) {
    std::string text = EncodeBase64(bytes);
    text.append((4 - text.size() % 4) % 4, '=');
    std::string lines;
    lines.reserve(text.size() + text.size() / 38 + 2);
    for (std::size_t at = 0; at < text.size(); at += 76) (lines += text.substr(at, 76)) += "\r\n";
    return lines;
}

std::string Number(int value) {
    return std::to_string(value);
}

}  // namespace

bool ParseWeights(std::string_view text, MailWeights& weights) {
    while (!text.empty()) {
        const std::size_t comma = std::min(text.find(','), text.size());
        const std::string_view item = text.substr(0, comma);
        text.remove_prefix(std::min(comma + 1, text.size()));
        const std::size_t equals = item.find('=');
        if (equals == std::string_view::npos) return false;
        const auto name =
            std::find(kMailKindNames.begin(), kMailKindNames.end(), item.substr(0, equals));
        if (name == kMailKindNames.end()) return false;
        unsigned weight = 0;
        const std::string_view value = item.substr(equals + 1);
        if (std::from_chars(value.data(), value.data() + value.size(), weight).ec != std::errc{}) {
            return false;
        }
        weights[static_cast<std::size_t>(name - kMailKindNames.begin())] = weight;
    }
    return std::any_of(weights.begin(), weights.end(), [](unsigned w) { return w > 0; });
}

MailMix::MailMix(unsigned seed, const MailWeights& weights)
    : random_(seed), kinds_(weights.begin(), weights.end()) {}

std::string MailMix::Next(int serial) {
    switch (static_cast<MailKind>(kinds_(random_))) {
        case MailKind::kPlain:
            return Plain(serial);
        case MailKind::kWestern:
            return Western(serial);
        case MailKind::kAlternative:
            return Alternative(serial);
        case MailKind::kBase64Text:
            return Base64Text(serial);
        case MailKind::kCyrillic:
            return Cyrillic(serial);
        default:
            return Attachments(serial);
    }
}

std::string MailMix::Headers(int serial, std::string_view from, std::string_view subject,
                             std::string_view contentType, std::string_view encoding) {
    std::string text =
        "Return-Path: <anna.berg@example.org>\r\n"
        "Received: from relay" +
        Number(Between(1, 9)) +
        ".example.net (relay.example.net [192.0.2.17])\r\n\tby mx.example.org with ESMTPS id " +
        Number(serial * 7919) +
        "\r\n\tfor <bob@example.org>; Mon, 6 Mar 2006 10:00:00 +0100\r\n"
        "Date: Mon, 6 Mar 2006 10:00:00 +0100\r\nFrom: " +
        std::string(from) +
        "\r\nTo: Bob Smith <bob@example.org>, =?utf-8?B?0JjQstCw0L0g0J/QtdGC0YDQvtCy?= "
        "<ivan@example.ru>\r\n";
    if (serial % 3 == 0) text += "Cc: =?iso-8859-1?Q?Zo=EB_Dupr=E9?= <zoe@example.fr>\r\n";
    text +=
        "Subject: " + std::string(subject) + "\r\nMessage-ID: <" + Number(serial) +
        ".bench@example.org>\r\nMIME-Version: 1.0\r\nContent-Type: " + std::string(contentType) +
        "\r\n";
    if (!encoding.empty()) text += "Content-Transfer-Encoding: " + std::string(encoding) + "\r\n";
    return text + "\r\n";
}

std::string MailMix::Prose(int lines) {
    std::string text;
    for (int line = 0; line < lines; ++line) {
        if (Between(0, 9) == 0) text += "> ";
        for (int word = Between(6, 12); word > 0; --word) {
            (text += kWords[Between(0, std::size(kWords) - 1)]) += ' ';
        }
        text += "\r\n";
    }
    return text;
}

std::string MailMix::Plain(int serial) {
    return Headers(serial, "Anna Berg <anna.berg@example.org>",
                   "Re: quarterly figures " + Number(serial), "text/plain; charset=us-ascii",
                   "7bit") +
           Prose(Between(10, 120));
}

std::string MailMix::Western(int serial) {
    std::string body;
    for (int line = Between(10, 80); line > 0; --line) {
        for (int word = Between(5, 9); word > 0; --word) {
            (body += kWesternWords[Between(0, std::size(kWesternWords) - 1)]) += ' ';
        }
        body += Between(0, 3) == 0 ? "=\r\n" : "\r\n";
    }
    return Headers(serial, "=?iso-8859-1?Q?J=FCrgen_M=FCller?= <juergen@example.de>",
                   "=?iso-8859-1?Q?R=E9sum=E9_de_la_r=E9union_" + Number(serial) + "?=",
                   "text/plain; charset=iso-8859-1", "quoted-printable") +
           body + "\r\n";
}

std::string MailMix::Alternative(int serial) {
    const std::string boundary = "----=_NextPart_" + Number(serial) + "_alt";
    const std::string prose = Prose(Between(10, 60));
    std::string html = "<html><body><p>";
    for (int paragraph = Between(10, 80); paragraph > 0; --paragraph) {
        html += "Caf\xc3\xa9 \xe2\x80\x93 " + Prose(1) + "</p>\n<p>";
    }
    html += "</p></body></html>\n";
    return Headers(serial, "Newsletter <news@example.com>", "Weekly news " + Number(serial),
                   "multipart/alternative; boundary=\"" + boundary + "\"", "") +
           "This is a multi-part message in MIME format.\r\n\r\n--" + boundary +
           "\r\nContent-Type: text/plain; charset=utf-8\r\n"
           "Content-Transfer-Encoding: quoted-printable\r\n\r\n" +
           prose + "\r\n--" + boundary +
           "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Transfer-Encoding: "
           "base64\r\n\r\n" +
           Base64Lines(html) + "\r\n--" + boundary + "--\r\n";
}

std::string MailMix::Base64Text(int serial) {
    std::string text =
        "Gr\xc3\xbc\xc3\x9f"
        "e aus K\xc3\xb6ln!\n";
    for (int line = Between(10, 100); line > 0; --line) text += Prose(1);
    return Headers(serial, "=?utf-8?B?SsO8cmdlbiBNw7xsbGVy?= <juergen@example.de>",
                   "=?UTF-8?B?R3LDvMOfZSBhdXMgS8O2bG4=?= " + Number(serial),
                   "text/plain; charset=utf-8", "base64") +
           Base64Lines(text);
}

std::string MailMix::Cyrillic(int serial) {
    std::string body;
    const bool koi8 = Between(0, 1) == 0;
    for (int line = Between(10, 80); line > 0; --line) {
        for (int word = Between(5, 10); word > 0; --word) {
            body += koi8 ? kKoi8Words[Between(0, std::size(kKoi8Words) - 1)]
                         : k1251Words[Between(0, std::size(k1251Words) - 1)];
            body += ' ';
        }
        body += "\r\n";
    }
    if (koi8) {
        return Headers(serial, "=?koi8-r?B?6dfBziDwxdTSz9c=?= <ivan@example.ru>",
                       "=?koi8-r?B?79Teo9Qg2sEgy9fB0tTBzA==?=", "text/plain; charset=koi8-r",
                       "8bit") +
               body;
    }
    return Headers(serial, "=?windows-1251?B?yOLg7SDP5fLw7uI=?= <ivan@example.ru>",
                   "=?windows-1251?Q?=C2=F1=F2=F0=E5=F7=E0_=E2_=EF=FF=F2=ED=E8=F6=F3?=",
                   "text/plain; charset=windows-1251", "quoted-printable") +
           body;
}

std::string MailMix::Attachments(int serial) {
    const std::string boundary = "==mixed_" + Number(serial) + "==";
    const std::string part = "\r\n--" + boundary + "\r\n";
    std::string text =
        Headers(serial, "Anna Berg <anna.berg@example.org>", "Report and chart " + Number(serial),
                "multipart/mixed; boundary=\"" + boundary + "\"", "") +
        part + "Content-Type: text/plain; charset=windows-1251\r\n\r\n" + Prose(Between(5, 30));
    for (int file = Between(1, 3); file > 0; --file) {
        const std::string name = "report-" + Number(serial) + "-" + Number(file) + ".pdf";
        text += part + "Content-Type: application/pdf; name=\"" + name +
                "\"\r\nContent-Transfer-Encoding: base64\r\n"
                "Content-Disposition: attachment; filename=\"" +
                name + "\"\r\n\r\n" +
                Base64Lines(Binary(static_cast<std::size_t>(Between(8, 160)) * 1024));
    }
    text += part + "Content-Type: image/png; name=\"logo.png\"\r\nContent-Id: <logo" +
            Number(serial) + ">\r\nContent-Transfer-Encoding: base64\r\n\r\n" +
            Base64Lines(Binary(static_cast<std::size_t>(Between(2, 12)) * 1024));
    return text + "\r\n--" + boundary + "--\r\n";
}

std::string MailMix::Binary(std::size_t size) {
    std::string bytes(size, '\0');
    std::uint32_t state = static_cast<std::uint32_t>(random_());
    for (char& byte : bytes) {
        state = state * 1664525U + 1013904223U;
        byte = static_cast<char>(state >> 24);
    }
    return bytes;
}

int MailMix::Between(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random_);
}

}  // namespace ombrel::bench

#include "tests/support/SampleMail.h"

#include <chrono>
#include <cstdio>

#include "common/Base64.h"

namespace ombrel::testing {
namespace {

// An RFC 2822 date of the time, in UTC.
std::string MailDate(std::int64_t time) {
    using namespace std::chrono;
    const sys_seconds point{seconds{time}};
    const sys_days day = floor<days>(point);
    const year_month_day date{day};
    const hh_mm_ss clock{point - day};
    static const char* const kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char text[64];
    std::snprintf(text, sizeof text, "%s, %u %s %d %02d:%02d:%02d +0000",
                  kWeekdays[weekday{day}.c_encoding()], static_cast<unsigned>(date.day()),
                  kMonths[static_cast<unsigned>(date.month()) - 1], static_cast<int>(date.year()),
                  static_cast<int>(clock.hours().count()),
                  static_cast<int>(clock.minutes().count()),
                  static_cast<int>(clock.seconds().count()));
    return text;
}

std::string Headers(int serial, std::int64_t time, const std::string& from, const std::string& to,
                    const std::string& subject) {
    return "Return-Path: <" + from + ">\r\nReceived: from mail.example.org by mx.example.net; " +
           MailDate(time) + "\r\nDate: " + MailDate(time) + "\r\nFrom: " + from + "\r\nTo: " + to +
           "\r\nSubject: " + subject + "\r\nMessage-ID: <" + std::to_string(serial) + "." +
           std::to_string(time) + "@example.org>\r\nMIME-Version: 1.0\r\n";
}

// Base64 as mail carries it: padded, in lines of 76 characters.
std::string Base64Lines(const std::string& bytes) {
    std::string text = EncodeBase64(bytes);
    text.append((4 - text.size() % 4) % 4, '=');
    std::string lines;
    for (std::size_t at = 0; at < text.size(); at += 76) lines += text.substr(at, 76) + "\r\n";
    return lines;
}

// Attachment bytes that look like the start of their file type.
std::string FakeFile(const std::string& magic, int serial, std::size_t size) {
    std::string bytes = magic;
    for (std::size_t i = 0; bytes.size() < size; ++i) {
        bytes += static_cast<char>((i * 131 + static_cast<std::size_t>(serial) * 7) & 0xFF);
    }
    return bytes;
}

std::string Plain(int serial, std::int64_t time, const std::string& from, const std::string& to) {
    return Headers(serial, time, from, to, "Quarterly figures, round " + std::to_string(serial)) +
           "Content-Type: text/plain; charset=us-ascii\r\nContent-Transfer-Encoding: 7bit\r\n\r\n"
           "Hello,\r\n\r\nplease find the figures for round " +
           std::to_string(serial) +
           " below.\r\n\r\n  North  1200\r\n  South   950\r\n\r\n> Quoted reply line\r\n"
           "\r\nRegards,\r\nAnna\r\n";
}

std::string Html(int serial, std::int64_t time, const std::string& from, const std::string& to) {
    return Headers(serial, time, from, to, "Newsletter #" + std::to_string(serial)) +
           "Content-Type: text/html; charset=utf-8\r\nContent-Transfer-Encoding: 8bit\r\n\r\n"
           "<html><head><title>Newsletter</title></head><body><h1>News \xe2\x80\x93 issue " +
           std::to_string(serial) +
           "</h1><p>Caf\xc3\xa9 opening on <b>Friday</b>.</p><p><a href=\"https://example.org/"
           "\">Read more</a></p></body></html>\r\n";
}

std::string Alternative(int serial, std::int64_t time, const std::string& from,
                        const std::string& to) {
    const std::string boundary = "----=_alt_" + std::to_string(serial);
    return Headers(serial, time, from, to, "Meeting notes " + std::to_string(serial)) +
           "Content-Type: multipart/alternative; boundary=\"" + boundary + "\"\r\n\r\n" +
           "This is a multi-part message in MIME format.\r\n\r\n--" + boundary +
           "\r\nContent-Type: text/plain; charset=iso-8859-1\r\n"
           "Content-Transfer-Encoding: quoted-printable\r\n\r\n"
           "Notes from the meeting: the caf=E9 budget was approved.=\r\nSee you next "
           "week.\r\n\r\n--" +
           boundary +
           "\r\nContent-Type: text/html; charset=iso-8859-1\r\n"
           "Content-Transfer-Encoding: quoted-printable\r\n\r\n"
           "<p>Notes from the meeting: the caf=E9 budget was <i>approved</i>.</p>\r\n\r\n--" +
           boundary + "--\r\n";
}

std::string Attachments(int serial, std::int64_t time, const std::string& from,
                        const std::string& to) {
    const std::string boundary = "==mixed" + std::to_string(serial) + "==";
    return Headers(serial, time, from, to, "Report and chart " + std::to_string(serial)) +
           "Content-Type: multipart/mixed; boundary=\"" + boundary + "\"\r\n\r\n--" + boundary +
           "\r\nContent-Type: text/plain; charset=us-ascii\r\n\r\nThe report and the chart are "
           "attached.\r\n\r\n--" +
           boundary +
           "\r\nContent-Type: application/pdf; name=\"report.pdf\"\r\n"
           "Content-Transfer-Encoding: base64\r\n"
           "Content-Disposition: attachment; filename=\"report.pdf\"\r\n\r\n" +
           Base64Lines(FakeFile("%PDF-1.4\n", serial, 900)) + "\r\n--" + boundary +
           "\r\nContent-Type: image/png; name=\"chart.png\"\r\nContent-Transfer-Encoding: "
           "base64\r\n"
           "Content-Disposition: inline; filename=\"chart.png\"\r\nContent-ID: <chart" +
           std::to_string(serial) + ">\r\n\r\n" +
           Base64Lines(FakeFile("\x89PNG\r\n\x1a\n", serial, 400)) + "\r\n--" + boundary + "--\r\n";
}

std::string Koi8(int serial, std::int64_t time, const std::string& from, const std::string& to) {
    // "Отчёт за квартал" and a greeting, in KOI8-R.
    return Headers(serial, time, from, to, "=?koi8-r?B?79Teo9Qg2sEgy9fB0tTBzA==?=") +
           "Content-Type: text/plain; charset=koi8-r\r\nContent-Transfer-Encoding: 8bit\r\n\r\n"
           "\xfa\xc4\xd2\xc1\xd7\xd3\xd4\xd7\xd5\xca\xd4\xc5, \xcb\xcf\xcc\xcc\xc5\xc7\xc9. "
           "\xf0\xc9\xd3\xd8\xcd\xcf \xd7 \xcb\xcf\xc4\xc9\xd2\xcf\xd7\xcb\xc5 KOI8-R.\r\n"
           "\xf0\xd2\xc9\xd7\xc5\xd4! \xeb\xc1\xcb \xc4\xc5\xcc\xc1 \xd3 \xcf\xd4\xde\xa3\xd4"
           "\xcf\xcd?\r\n";
}

std::string Windows1251(int serial, std::int64_t time, const std::string& from,
                        const std::string& to) {
    // "Встреча в пятницу" as the subject; the body in quoted-printable windows-1251.
    return Headers(serial, time, from, to,
                   "=?windows-1251?Q?=C2=F1=F2=F0=E5=F7=E0_=E2_=EF=FF=F2=ED=E8=F6=F3?=") +
           "Content-Type: text/plain; charset=windows-1251\r\n"
           "Content-Transfer-Encoding: quoted-printable\r\n\r\n"
           "=C4=EE=E1=F0=FB=E9 =E4=E5=ED=FC! =DD=F2=EE =EF=E8=F1=FC=EC=EE =E2 "
           "=EA=EE=E4=E8=F0=EE=\r\n"
           "=E2=EA=E5 windows-1251.\r\n";
}

std::string EncodedWords(int serial, std::int64_t time, const std::string& from,
                         const std::string& to) {
    return Headers(serial, time, "=?iso-8859-1?Q?J=FCrgen_M=FCller?= <" + from + ">", to,
                   "=?UTF-8?B?R3LDvMOfZSBhdXMgS8O2bG4g4oCTIPCfjKfvuI8=?= =?UTF-8?Q?_Nr=2E_" +
                       std::to_string(serial) + "?=") +
           "Cc: =?utf-8?q?Zo=C3=AB?= <zoe@example.org>\r\n"
           "Content-Type: text/plain; charset=utf-8\r\nContent-Transfer-Encoding: quoted-printable"
           "\r\n\r\nGr=C3=BC=C3=9Fe aus K=C3=B6ln!\r\n";
}

}  // namespace

std::string SampleMail(SampleMailKind kind, int serial, std::int64_t time, const std::string& from,
                       const std::string& to) {
    switch (kind) {
        case SampleMailKind::kHtml:
            return Html(serial, time, from, to);
        case SampleMailKind::kAlternative:
            return Alternative(serial, time, from, to);
        case SampleMailKind::kAttachments:
            return Attachments(serial, time, from, to);
        case SampleMailKind::kKoi8:
            return Koi8(serial, time, from, to);
        case SampleMailKind::kWindows1251:
            return Windows1251(serial, time, from, to);
        case SampleMailKind::kEncodedWords:
            return EncodedWords(serial, time, from, to);
        default:
            return Plain(serial, time, from, to);
    }
}

}  // namespace ombrel::testing

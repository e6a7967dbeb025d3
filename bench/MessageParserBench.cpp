// Parsing plus decoding of the chosen text part, over a mixed corpus of messages written here:
// plain, multipart/alternative, quoted-printable and base64 bodies, attachments, encoded-word
// headers, Cyrillic and Western charsets.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "mime/BodyDecoding.h"
#include "mime/ParsedMessage.h"
#include "platform/posix/PosixPlatform.h"
#include "tests/support/StandInIndexer.h"

namespace ombrel {
namespace {

constexpr std::string_view kWords[] = {"mail",    "index",    "search", "report",
                                       "meeting", "invoice",  "today",  "please",
                                       "review",  "attached", "thanks", "plan"};
constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

class CorpusWriter {
  public:
    explicit CorpusWriter(unsigned seed) : random_(seed) {}

    std::string Message(int index) {
        switch (index % 5) {
            case 0:
                return Headers("text/plain; charset=us-ascii", "7bit") + Prose(40);
            case 1:
                return Alternative();
            case 2:
                return Cyrillic();
            case 3:
                return WithAttachment();
            default:
                return Headers("text/plain; charset=iso-8859-1", "quoted-printable") + Western(30);
        }
    }

  private:
    std::string Headers(std::string_view type, std::string_view encoding) {
        return "Received: from mx.example.com by mail.example.org; Mon, 1 Mar 2004 10:00:00\r\n"
               "From: =?iso-8859-1?Q?J=F6rg_Sch=E4fer?= <joerg@example.com>\r\n"
               "To: team@example.org, =?utf-8?B?0JjQstCw0L0=?= <ivan@example.ru>\r\n"
               "Subject: =?utf-8?Q?Status_report_=E2=80=93_week_" +
               std::to_string(Next(52)) +
               "?=\r\n"
               "Message-ID: <" +
               std::to_string(Next(1000000)) +
               "@example.com>\r\n"
               "MIME-Version: 1.0\r\nContent-Type: " +
               std::string(type) +
               "\r\n"
               "Content-Transfer-Encoding: " +
               std::string(encoding) + "\r\n\r\n";
    }

    std::string Prose(int lines) {
        std::string text;
        for (int line = 0; line < lines; ++line) {
            for (int word = 0; word < 10; ++word) (text += kWords[Next(std::size(kWords))]) += ' ';
            text += "\r\n";
        }
        return text;
    }

    std::string Western(int lines) {
        std::string text;
        for (int line = 0; line < lines; ++line) {
            text += "Caf=E9 cr=E8me br=FBl=E9e, na=EFve r=E9sum=E9 ";
            text += kWords[Next(std::size(kWords))];
            text += " =\r\ncontinued line\r\n";
        }
        return text;
    }

    std::string Base64(std::size_t bytes) {
        std::string text;
        for (std::size_t i = 0; i < bytes * 4 / 3; ++i) {
            text += kAlphabet[Next(64)];
            if (i % 76 == 75) text += "\r\n";
        }
        return text + "\r\n";
    }

    std::string Alternative() {
        return Headers("multipart/alternative; boundary=\"=_alt\"", "7bit") +
               "--=_alt\r\nContent-Type: text/plain; charset=utf-8\r\n"
               "Content-Transfer-Encoding: quoted-printable\r\n\r\n" +
               Prose(30) +
               "--=_alt\r\nContent-Type: text/html; charset=utf-8\r\n"
               "Content-Transfer-Encoding: base64\r\n\r\n" +
               Base64(3000) + "--=_alt--\r\n";
    }

    std::string Cyrillic() {
        std::string body;
        for (int line = 0; line < 40; ++line)
            body += "\xF0\xD2\xC9\xD7\xC5\xD4, \xCD\xC9\xD2! \xE9\xD7\xC1\xCE\r\n";
        return "From: =?koi8-r?B?6dfBziDwxdTSz9c=?= <ivan@example.ru>\r\n"
               "Subject: =?koi8-r?B?7s/Xz9PUySDOxcTFzMk=?=\r\n"
               "Content-Type: text/plain; charset=koi8-r\r\nContent-Transfer-Encoding: "
               "8bit\r\n\r\n" +
               body;
    }

    std::string WithAttachment() {
        return Headers("multipart/mixed; boundary=\"mixed-1\"", "7bit") +
               "--mixed-1\r\nContent-Type: text/plain; charset=windows-1251\r\n\r\n" + Prose(20) +
               "--mixed-1\r\nContent-Type: application/pdf\r\n"
               "Content-Disposition: attachment; filename=\"report.pdf\"\r\n"
               "Content-Transfer-Encoding: base64\r\n\r\n" +
               Base64(40000) +
               "--mixed-1\r\nContent-Type: image/png\r\nContent-Id: <logo>\r\n"
               "Content-Transfer-Encoding: base64\r\n\r\n" +
               Base64(5000) + "--mixed-1--\r\n";
    }

    std::size_t Next(std::size_t bound) {
        return std::uniform_int_distribution<std::size_t>(0, bound - 1)(random_);
    }

    std::mt19937 random_;
};

// The text a message is indexed with: the first plain-text part that decodes, else the HTML.
bool DecodeChosenText(const ParsedMessage& message, WideString& text) {
    for (const PartKind kind : {PartKind::PlainText, PartKind::HtmlText}) {
        std::vector<const ParsedMessage*> parts;
        collectParts(message, kind, parts);
        for (const ParsedMessage* part : parts) {
            if (decodeBody(*part, text)) return true;
        }
    }
    return false;
}

void ParseAndDecodeMixedCorpus(benchmark::State& state) {
    platform::posix::PosixPlatform posix;
    posix.codePages.SetAnsiCodePage(1251);
    standin::IndexerJournal journal;
    standin::StandInIndexer indexer(journal);
    const platform::ScopedPorts ports(posix.MakePorts(&indexer));
    CorpusWriter writer(2004);
    std::vector<std::string> corpus;
    std::size_t bytes = 0;
    for (int i = 0; i < 200; ++i) {
        corpus.push_back(writer.Message(i));
        bytes += corpus.back().size();
    }
    ParsedMessage message;
    WideString text;
    for (auto _ : state) {
        for (const std::string& mail : corpus) {
            message.parse(mail.data(), mail.size());
            benchmark::DoNotOptimize(DecodeChosenText(message, text));
            message.reset();
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * corpus.size()));
    state.counters["corpus_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(ParseAndDecodeMixedCorpus)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ombrel

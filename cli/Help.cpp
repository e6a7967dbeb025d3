#include "cli/Help.h"

#include <string>

namespace ombrel::cli {

const char* const kUsage =
    "usage: ombrel index DATA_DIR [--db FILE] [--registry FILE.reg] [--map-drive X:=/path]...\n"
    "                    [--code-page N] [--enabled-only] [--stem] [--verbose]\n"
    "       ombrel search [--db FILE] [--limit N] [--offset N] [--sort newest|oldest|relevance]\n"
    "                     [--threads] [--stem] [--json] QUERY...\n"
    "       ombrel count [--db FILE] [--stem] QUERY...\n"
    "       ombrel show [--db FILE] [--raw | --part N] [--map-drive X:=/path]... ID\n"
    "       ombrel import [--db FILE] EVENTS.jsonl\n"
    "       ombrel help [COMMAND]\n"
    "The database is ~/.local/share/ombrel/mail.db ($XDG_DATA_HOME/ombrel/mail.db) unless --db\n"
    "names one. `ombrel help search` explains queries; `man ombrel` says it all.\n";

namespace {

constexpr const char* kQueryHelp =
    "QUERY (the operands are joined by spaces; quote them for the shell as needed):\n"
    "  word            a word, matched without case and diacritics (cafe finds café)\n"
    "  \"a phrase\"      the words in this order\n"
    "  word*           words that begin so\n"
    "  a b, a AND b    both;  a OR b  either;  NOT a, -a  not a;  ( ) group\n"
    "  from:WORD       the sender          to:WORD    To, Cc or Bcc     cc:WORD    Cc\n"
    "  subject:WORD    the subject         body:WORD  the text          folder:WORD\n"
    "  attachment:WORD an attachment's or inline part's name (FIELD:\"a phrase\" too)\n"
    "  date:2006-01-15, date:2006-01, date:2006, date:2006-01..2006-03, date:..2006-01-15,\n"
    "  date:2006-02.., date:7d.. (also 2w, 3m, 1y, today, yesterday; times are UTC)\n"
    "  is:flagged      flagged in the host   has:attachment   with attachments\n"
    "AND, OR and NOT are written in capitals; AND binds before OR. A query of more than 32\n"
    "terms or 1024 bytes is refused.\n"
    "Exit status: 0 messages matched, 3 none matched, 2 a usage or query error (the message\n"
    "says where), 1 any other failure.\n";

constexpr const char* kSearchHelp =
    "usage: ombrel search [--db FILE] [OPTIONS] QUERY...\n"
    "Prints the messages that match QUERY: the ID (for `ombrel show`), the time received, the\n"
    "folder, sender, subject, Message-ID, where the store keeps it, and a snippet with the words\n"
    "found between « and »; last, how many matched and how many are shown.\n"
    "  --limit N      show N hits (20)\n"
    "  --offset N     skip the first N hits, to page on\n"
    "  --sort ORDER   newest (the default), oldest or relevance\n"
    "  --threads      the hits of one conversation together\n"
    "  --stem         match English word stems (run finds running); needs `index --stem`\n"
    "  --json         one JSON object per hit, and last {\"matched\":N,\"shown\":N,\"offset\":N}\n";

constexpr const char* kCountHelp =
    "usage: ombrel count [--db FILE] [--stem] QUERY...\n"
    "Prints how many messages match QUERY (see `ombrel help search`).\n";

constexpr const char* kShowHelp =
    "usage: ombrel show [--db FILE] [--raw | --part N] [--map-drive X:=/path]... ID\n"
    "Prints the message that `ombrel search` listed with this ID: its headers, its numbered\n"
    "attachments and its text, read again from the store that was indexed (never written).\n"
    "  --raw          the message's bytes exactly as the store keeps them\n"
    "  --part N       the decoded bytes of attachment N\n"
    "  --map-drive    as for index, for folders that lie outside the store\n"
    "Exit status: 0, 2 for a usage error, 1 when the message cannot be read.\n";

constexpr const char* kIndexHelp =
    "usage: ombrel index DATA_DIR [--db FILE] [OPTIONS]\n"
    "Indexes the mail of a copy of the host's working directory DATA_DIR (only read, never\n"
    "written); a run adds only the mail that is new since the last.\n"
    "  --registry FILE.reg    the host's accounts, from its registry exported as a .reg file;\n"
    "                         else every folder of DATA_DIR with an ACCOUNT.FLB\n"
    "  --map-drive X:=/path   where a Windows drive that the registry names lies\n"
    "  --code-page N          the ANSI code page of the Windows that wrote the mail (1252)\n"
    "  --enabled-only         only the folders selected in the plug-in's settings\n"
    "  --stem                 keep English word stems too, for `search --stem`\n"
    "  --verbose              a line per folder\n"
    "Exit status: 0, 4 when parts of DATA_DIR could not be read (each is named on standard\n"
    "error and the rest is indexed), 2 for a usage error, 1 for a failure that ends the run.\n";

constexpr const char* kImportHelp =
    "usage: ombrel import [--db FILE] EVENTS.jsonl\n"
    "Adds the e-mail events of the stand-in host's output lines to the index.\n";

}  // namespace

const char* CommandHelp(std::string_view command) {
    static const std::string search = std::string(kSearchHelp) + kQueryHelp;
    static const std::string count = std::string(kCountHelp) + kQueryHelp;
    if (command == "search") return search.c_str();
    if (command == "count") return count.c_str();
    if (command == "show") return kShowHelp;
    if (command == "index") return kIndexHelp;
    if (command == "import") return kImportHelp;
    if (command == "help") return kUsage;
    return nullptr;
}

}  // namespace ombrel::cli

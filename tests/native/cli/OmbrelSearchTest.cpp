#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/MailIndex.h"
#include "cli/MailSearch.h"
#include "cli/Query.h"
#include "tests/native/cli/OmbrelRun.h"

namespace ombrel::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::Not;

std::int32_t Day(int year, unsigned month, unsigned day) {
    using namespace std::chrono;
    const sys_days days =
        year_month_day(std::chrono::year(year), std::chrono::month(month), std::chrono::day(day));
    return static_cast<std::int32_t>(std::int64_t{days.time_since_epoch().count()} * 86400 +
                                     std::int64_t{12} * 3600);
}

std::string Message(const std::string& headers, const std::string& body) {
    return headers + "MIME-Version: 1.0\r\n\r\n" + body;
}

const std::string kPdf = "%PDF-1.4 plan of the year";

// The store every query runs over: each message says what it is there to be found by. Message
// N is the Nth indexed, so its id is N.
std::vector<StoredMessage> FixedMessages() {
    const std::string related = "Content-Type: multipart/mixed; boundary=\"outer\"\r\n";
    return {
        {Message("From: Barry Ames <barry@example.org>\r\nTo: bob@example.org\r\n"
                 "Subject: Water report\r\nMessage-ID: <m1@example.org>\r\n",
                 "Water levels are low and the budget is tight.\r\n"),
         Day(2006, 1, 10), 0},
        {Message("From: anna@example.org\r\nTo: carol@example.org\r\nCc: bob@example.org\r\n"
                 "Subject: water only\r\n",
                 "The water is cold.\r\n"),
         Day(2006, 2, 15), 0},
        {Message("From: carol@example.org\r\nTo: dave@example.org\r\nBcc: bob@example.org\r\n"
                 "Subject: budget talk\r\nContent-Type: text/plain; charset=utf-8\r\n",
                 "The budget, over coffee at the caf\xC3\xA9.\r\n"),
         Day(2006, 3, 20), 0},
        {Message(
             "From: dave@example.org\r\nTo: anna@example.org\r\nSubject: four parts\r\n" + related,
             "--outer\r\nContent-Type: text/plain\r\n\r\nThe first part.\r\n"
             "--outer\r\nContent-Type: text/plain\r\n\r\nA zebra in the second.\r\n"
             "--outer\r\nContent-Type: text/html\r\n\r\n<p>A <b>giraffe</b> here.</p>\r\n"
             "--outer\r\nContent-Type: image/png\r\nContent-ID: <logo.png>\r\n"
             "Content-Transfer-Encoding: base64\r\n\r\niVBORw0KGgo=\r\n"
             "--outer\r\nContent-Type: application/pdf; name=\"plan.pdf\"\r\n"
             "Content-Disposition: attachment; filename=\"plan.pdf\"\r\n"
             "Content-Transfer-Encoding: base64\r\n\r\nJVBERi0xLjQgcGxhbiBvZiB0aGUgeWVhcg==\r\n"
             "--outer--\r\n"),
         Day(2006, 4, 1), 0},
        {Message("From: erin@example.org\r\nTo: anna@example.org\r\nSubject: Fwd: animals\r\n"
                 "Message-ID: <m5@example.org>\r\n" +
                     related,
                 "--outer\r\nContent-Type: text/plain\r\n\r\nSee below.\r\n"
                 "--outer\r\nContent-Type: message/rfc822\r\n\r\n"
                 "From: frank@example.org\r\nSubject: the okapi\r\n\r\nAn okapi was seen.\r\n"
                 "--outer--\r\n"),
         Day(2006, 5, 1), 0},
        {Message("From: anna@example.org\r\nTo: erin@example.org\r\nSubject: Re: animals\r\n"
                 "Message-ID: <m6@example.org>\r\nIn-Reply-To: <m5@example.org>\r\n"
                 "References: <m5@example.org>\r\n",
                 "Thanks for the wombat.\r\n"),
         Day(2006, 6, 1), 0x2},
        {Message("From: \x1B[31mmallory@example.org\r\nTo: anna@example.org\r\n"
                 "Subject: evil \x1B]52;c;QUFBQQ==\x07 red\r\n"
                 "Content-Type: text/plain; charset=utf-8\r\n",
                 "Trick \xC2\x9B"
                 "2J and \xE2\x80\xAE"
                 "desrever text.\r\n"),
         Day(2006, 8, 20), 0},
    };
}

class OmbrelSearch : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        written_ = new WrittenStore(OneFolderStore(FixedMessages()));
        const CommandRun run = RunOmbrel({"index", written_->root, "--db", written_->database,
                                          "--registry", written_->registry, "--stem"});
        ASSERT_EQ(run.status, 0) << run.err;
        ASSERT_THAT(run.out, HasSubstr("indexed 7 messages"));
    }
    static void TearDownTestSuite() {
        delete written_;
        written_ = nullptr;
    }

    static CommandRun Ombrel(const std::string& command, std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {command, "--db", written_->database});
        return RunOmbrel(arguments);
    }

    static WrittenStore* written_;
};

WrittenStore* OmbrelSearch::written_ = nullptr;

TEST_F(OmbrelSearch, EachFormOfTheQueryLanguageFindsExactlyItsMessages) {
    const struct {
        const char* query;
        std::vector<std::int64_t> ids;
    } cases[] = {
        {"water", {1, 2}},
        {"water budget", {1}},
        {"water AND budget", {1}},
        {"water -budget", {2}},
        {"water NOT budget", {2}},
        {"NOT water", {3, 4, 5, 6, 7}},
        {"-water -budget", {4, 5, 6, 7}},
        {"budget OR zebra", {1, 3, 4}},
        {"(water OR budget) -levels", {2, 3}},
        {"water OR budget -levels", {1, 2, 3}},  // AND binds first: water OR (budget -levels)
        {"NOT NOT water", {1, 2}},
        {"\"water is cold\"", {2}},
        {"\"cold water\"", {}},
        {"wat*", {1, 2}},
        {"cafe", {3}},
        {"CAFÉ", {3}},
        {"from:barry", {1}},
        {"from:barry@example.org", {1}},
        {"from:\"Barry Ames\"", {1}},
        {"to:bob", {1, 2, 3}},
        {"cc:bob", {2}},
        {"subject:water", {1, 2}},
        {"subject:budget", {3}},
        {"body:cold", {2}},
        {"body:report", {}},
        {"folder:Inbox", {1, 2, 3, 4, 5, 6, 7}},
        {"zebra", {4}},
        {"giraffe", {4}},
        {"first", {4}},
        {"attachment:logo", {4}},
        {"attachment:plan.pdf", {4}},
        {"okapi", {5}},
        {"frank", {5}},
        {"date:2006-02", {2}},
        {"date:2006-02-15", {2}},
        {"date:2006-02-14", {}},
        {"date:2006", {1, 2, 3, 4, 5, 6, 7}},
        {"date:2006-01..2006-03", {1, 2, 3}},
        {"date:..2006-01-15", {1}},
        {"date:2006-05..", {5, 6, 7}},
        {"date:30d..", {7}},
        {"date:..30d", {1, 2, 3, 4, 5, 6}},
        {"is:flagged", {6}},
        {"has:attachment", {4}},
        {"budget OR is:flagged", {1, 3, 6}},
        {"water -is:flagged", {1, 2}},
        {"NOT (water OR date:2006-04..)", {3}},
    };
    for (const auto& [query, ids] : cases) {
        EXPECT_THAT(SearchIds(written_->database, query), ElementsAreArray(ids)) << query;
    }
}

TEST_F(OmbrelSearch, StemsFindOtherFormsOfAWordOnlyWhenAsked) {
    EXPECT_EQ(Ombrel("count", {"levels"}).out, "1\n");
    const CommandRun exact = Ombrel("count", {"level"});
    EXPECT_EQ(exact.out, "0\n");
    EXPECT_EQ(exact.status, cli::kExitNoMatch);
    EXPECT_EQ(Ombrel("count", {"--stem", "level"}).out, "1\n");
}

TEST_F(OmbrelSearch, EveryQueryThatDoesNotParseIsAnErrorSayingWhere) {
    const struct {
        const char* query;
        const char* message;
    } cases[] = {
        {"water (budget", "'(' is not closed at position 7"},
        {"\"water", "the quote is not closed at position 1"},
        {"water)", "')' has no '(' before it at position 6"},
        {"OR water", "AND or OR where a word was expected at position 1"},
        {"water OR", "the query ends where a word was expected at position 9"},
        {"water AND OR budget", "AND or OR where a word was expected at position 11"},
        {"NOT", "the query ends where a word was expected at position 4"},
        {"()", "')' where a word was expected at position 2"},
        {"sender:x@example.com", "no field is called sender: (from:, to:"},
        {"is:unread", "is:unread cannot be searched"},
        {"is:replied", "is:replied cannot be searched"},
        {"has:wings", "has:wings is not known"},
        {"date:2006-13", "date:2006-13 is not a date"},
        {"date:2006-02-30", "date:2006-02-30 is not a date"},
        {"date:..", "date:.. is not a date"},
        {"from:", "from: has no value at position 1"},
        {"water *", "\"*\" has no word to search for at position 7"},
        {"   ", "the query is empty at position 1"},
    };
    for (const auto& [query, message] : cases) {
        const CommandRun run = Ombrel("search", {query});
        EXPECT_EQ(run.status, cli::kExitUsage) << query;
        EXPECT_THAT(run.err, HasSubstr(message)) << query;
        EXPECT_EQ(run.out, "") << query;
    }
}

TEST_F(OmbrelSearch, QueriesBeyondTheBoundsAreRefused) {
    std::string terms;
    for (std::size_t i = 0; i <= cli::kMaxQueryTerms; ++i) terms += "water ";
    const CommandRun many = Ombrel("search", {terms});
    EXPECT_EQ(many.status, cli::kExitUsage);
    EXPECT_THAT(many.err, HasSubstr("more than 32 terms at position 193"));
    const CommandRun longQuery = Ombrel("count", {std::string(cli::kMaxQueryBytes + 1, 'w')});
    EXPECT_EQ(longQuery.status, cli::kExitUsage);
    EXPECT_THAT(longQuery.err, HasSubstr("longer than 1024 bytes"));
}

TEST_F(OmbrelSearch, SaysHowManyMatchedAndShowsThemInTheOrderAskedPageByPage) {
    const CommandRun newest = Ombrel("search", {"water", "OR", "budget"});
    EXPECT_EQ(newest.status, 0);
    EXPECT_THAT(newest.out, HasSubstr("3 matched, 3 shown (1 to 3)\n"));
    EXPECT_LT(newest.out.find("3  2006-03-20"), newest.out.find("2  2006-02-15"));
    EXPECT_LT(newest.out.find("2  2006-02-15"), newest.out.find("1  2006-01-10"));

    const CommandRun page =
        Ombrel("search", {"--sort", "oldest", "--offset", "1", "--limit", "1", "water OR budget"});
    EXPECT_THAT(page.out, HasSubstr("2  2006-02-15"));
    EXPECT_THAT(page.out, Not(HasSubstr("1  2006-01-10")));
    EXPECT_THAT(page.out, HasSubstr("3 matched, 1 shown (2 to 2)\n"));

    const CommandRun relevance = Ombrel("search", {"--sort", "relevance", "budget"});
    EXPECT_LT(relevance.out.find("Subject: budget talk"), relevance.out.find("Water report"));

    const CommandRun none = Ombrel("search", {"wombat", "water"});
    EXPECT_EQ(none.status, cli::kExitNoMatch);
    EXPECT_EQ(none.out, "0 matched, none shown\n");
    EXPECT_EQ(Ombrel("count", {"-water"}).out, "5\n");
}

TEST_F(OmbrelSearch, HitsCarryTheirIdFolderMessageIdStoreAndSnippet) {
    const CommandRun text = Ombrel("search", {"levels"});
    EXPECT_THAT(text.out, HasSubstr("1  2006-01-10 12:00:00  Main\\Inbox\n"));
    EXPECT_THAT(text.out, HasSubstr("  Message-ID: <m1@example.org>\n"));
    EXPECT_THAT(text.out, HasSubstr("  Stored: Main\\Inbox\\ #0\n"));
    EXPECT_THAT(text.out, HasSubstr("Water «levels» are low and the budget is tight."));

    const CommandRun json = Ombrel("search", {"--json", "levels"});
    EXPECT_THAT(json.out, HasSubstr("\"id\":1,"));
    EXPECT_THAT(json.out, HasSubstr("\"message_id\":\"<m1@example.org>\""));
    EXPECT_THAT(json.out, HasSubstr("\"store\":\"Main\\\\Inbox\\\\ #0\""));
    EXPECT_THAT(json.out, HasSubstr("{\"matched\":1,\"shown\":1,\"offset\":0}\n"));
}

TEST_F(OmbrelSearch, ConversationsGoTogether) {
    const CommandRun run = Ombrel("search", {"--threads", "--json", "okapi OR wombat OR zebra"});
    EXPECT_EQ(run.status, 0);
    // Newest first would put 4 between 6 and 5; the conversation keeps 6 with 5.
    const std::size_t six = run.out.find("\"id\":6");
    const std::size_t five = run.out.find("\"id\":5");
    const std::size_t four = run.out.find("\"id\":4");
    EXPECT_LT(six, five);
    EXPECT_LT(five, four);
    EXPECT_THAT(run.out, HasSubstr("\"thread\":\"<m5@example.org>\""));
}

TEST_F(OmbrelSearch, ConversationsAreNamedInTheTextOutput) {
    const CommandRun run = Ombrel("search", {"--threads", "okapi OR wombat"});
    EXPECT_THAT(run.out, HasSubstr("Conversation <m5@example.org>\n\n6  2006-06-01"));
    EXPECT_EQ(run.out.find("Conversation", run.out.find("6  2006-06-01")), std::string::npos);
}

TEST(OmbrelDatabase, WithoutDbTheIndexLivesInTheUsersDataFolder) {
    const WrittenStore written(OneFolderStore(FixedMessages()));
    const std::string data = written.disk.Local(u"data").string();
    ASSERT_EQ(setenv("XDG_DATA_HOME", data.c_str(), 1), 0);
    const CommandRun index = RunOmbrel({"index", written.root, "--registry", written.registry});
    const CommandRun count = RunOmbrel({"count", "water"});
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(index.status, 0) << index.err;
    EXPECT_TRUE(std::filesystem::exists(data + "/ombrel/mail.db"));
    EXPECT_EQ(count.out, "2\n");
}

TEST_F(OmbrelSearch, MailsControlCharactersReachTheTerminalOnlyAsVisibleText) {
    const CommandRun text = Ombrel("search", {"desrever"});
    EXPECT_EQ(text.out.find('\x1B'), std::string::npos);
    EXPECT_EQ(text.out.find('\x07'), std::string::npos);
    EXPECT_EQ(text.out.find("\xC2\x9B"), std::string::npos);
    // NOLINTNEXTLINE(misc-misleading-bidirectional): the override is what must not be there
    EXPECT_EQ(text.out.find("\xE2\x80\xAE"), std::string::npos);
    EXPECT_THAT(text.out, HasSubstr("^[[31mmallory"));
    EXPECT_THAT(text.out, HasSubstr("^[]52;c;QUFBQQ==^G red"));
    EXPECT_THAT(text.out, HasSubstr("<U+009B>2J and <U+202E>«desrever»"));

    const CommandRun shown = Ombrel("show", {"7"});
    EXPECT_EQ(shown.out.find('\x1B'), std::string::npos);
    EXPECT_THAT(shown.out, HasSubstr("<U+202E>desrever"));

    const CommandRun json = Ombrel("search", {"--json", "desrever"});
    EXPECT_THAT(json.out, HasSubstr("\\u001b[31mmallory"));
    EXPECT_EQ(json.out.find('\x1B'), std::string::npos);
}

TEST_F(OmbrelSearch, ShowsTheWholeMessageItsStoredBytesAndItsAttachments) {
    const CommandRun shown = Ombrel("show", {"4"});
    EXPECT_EQ(shown.status, 0) << shown.err;
    for (const char* text : {"Subject: four parts\n", "Attachment 1: <logo.png> (image/png)\n",
                             "Attachment 2: plan.pdf (application/pdf)\n", "The first part.",
                             "A zebra in the second.", "giraffe"}) {
        EXPECT_THAT(shown.out, HasSubstr(text));
    }
    EXPECT_EQ(Ombrel("show", {"--raw", "4"}).out, FixedMessages()[3].text);
    EXPECT_EQ(Ombrel("show", {"--part", "2", "4"}).out, kPdf);

    const CommandRun missing = Ombrel("show", {"99"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_THAT(missing.err, HasSubstr("no message has the id 99"));
    EXPECT_EQ(Ombrel("show", {"--part", "3", "4"}).status, cli::kExitUsage);
}

// A message of a million bytes of one word, as anyone may send: every query for the word costs
// little more than for any other message (the bound is generous; the benchmark measures).
TEST(OmbrelSearchBounds, OneWordRepeatedOverAMegabyteIsSearchedQuickly) {
    std::string words;
    while (words.size() < 1000000) words += "flood ";
    const WrittenStore written(OneFolderStore(
        {{Message("From: a@example.org\r\nSubject: big\r\n", words), Day(2006, 1, 1), 0},
         {Message("From: b@example.org\r\nSubject: small\r\n", "A flood.\r\n"), Day(2006, 1, 2),
          0}}));
    ASSERT_EQ(
        RunOmbrel({"index", written.root, "--db", written.database, "--registry", written.registry})
            .status,
        0);
    std::string repeated;
    for (std::size_t i = 0; i < cli::kMaxQueryTerms / 2; ++i) repeated += "flood OR flood* ";
    repeated.resize(repeated.size() - 4);
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"flood"},
          {"--sort", "relevance", "flood"},
          {repeated},
          {"\"flood flood flood flood flood flood\""}}) {
        std::vector<std::string> command = {"search", "--db", written.database};
        command.insert(command.end(), arguments.begin(), arguments.end());
        const auto start = std::chrono::steady_clock::now();
        const CommandRun run = RunOmbrel(command);
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_THAT(run.out, HasSubstr("«flood» «flood»")) << arguments.back();
        EXPECT_LT(took, std::chrono::seconds(5)) << arguments.back();
    }
}

// The schema of the indexes that ombrel wrote before it kept every part of a message.
constexpr const char* kSchemaVersion1 = R"sql(
    CREATE TABLE folders (id INTEGER PRIMARY KEY, directory TEXT NOT NULL UNIQUE,
        path TEXT NOT NULL, done INTEGER NOT NULL DEFAULT 0,
        last_offset INTEGER NOT NULL DEFAULT -1, last_size INTEGER NOT NULL DEFAULT -1);
    CREATE TABLE messages (id INTEGER PRIMARY KEY, folder_id INTEGER REFERENCES folders (id),
        position INTEGER, import_key TEXT UNIQUE, received TEXT, subject TEXT, sender TEXT,
        recipients TEXT, cc TEXT, bcc TEXT, reply_to TEXT, body TEXT, attachments TEXT,
        format TEXT, mail_flags INTEGER, folder_path TEXT, UNIQUE (folder_id, position));
    CREATE VIRTUAL TABLE message_text USING fts5 (subject, sender, recipients, cc, body,
        attachments, folder_path, content = 'messages', content_rowid = 'id',
        tokenize = 'unicode61 remove_diacritics 2');
    CREATE TRIGGER messages_added AFTER INSERT ON messages BEGIN
        INSERT INTO message_text (rowid, subject, sender, recipients, cc, body, attachments,
            folder_path) VALUES (new.id, new.subject, new.sender, new.recipients, new.cc,
            new.body, new.attachments, new.folder_path); END;
    CREATE TRIGGER messages_removed AFTER DELETE ON messages BEGIN
        INSERT INTO message_text (message_text, rowid, subject, sender, recipients, cc, body,
            attachments, folder_path) VALUES ('delete', old.id, old.subject, old.sender,
            old.recipients, old.cc, old.body, old.attachments, old.folder_path); END;
    PRAGMA application_id = 1330463281;
    PRAGMA user_version = 1;
    INSERT INTO folders VALUES (1, 'Main\Inbox\', 'Main\Inbox', 7, 0, 0);
    INSERT INTO messages (folder_id, position, subject, body) VALUES (1, 3, 'four parts', 'The first part.');
    INSERT INTO messages (import_key, subject, body) VALUES ('{"subject":"kiwi"}', 'kiwi', 'A kiwi.');
)sql";

TEST(OmbrelUpgrade, AnIndexOfSchemaOneIsUpgradedInPlaceKeepingItsImports) {
    const WrittenStore written(OneFolderStore(FixedMessages()));
    cli::Sqlite(written.database, cli::Sqlite::Mode::kReadWrite).Execute(kSchemaVersion1);

    const CommandRun search = RunOmbrel({"search", "--db", written.database, "kiwi"});
    EXPECT_EQ(search.status, 1);
    EXPECT_THAT(search.err, HasSubstr("earlier ombrel (schema 1): run `ombrel index` once"));

    const CommandRun index = RunOmbrel(
        {"index", written.root, "--db", written.database, "--registry", written.registry});
    EXPECT_EQ(index.status, 0) << index.err;
    EXPECT_THAT(index.err, HasSubstr("(schema 1): upgraded in place to schema 2"));
    EXPECT_THAT(index.out, HasSubstr("indexed 7 messages"));
    EXPECT_THAT(index.out, HasSubstr("the index holds 8 messages"));
    EXPECT_THAT(SearchIds(written.database, "kiwi"), ElementsAre(2));
    EXPECT_EQ(SearchIds(written.database, "zebra").size(), 1U);
    EXPECT_EQ(RunOmbrel({"index", written.root, "--db", written.database}).err, "");
}

TEST(OmbrelHelp, EveryCommandHasItsHelp) {
    for (const char* command : {"search", "count", "show", "index", "import"}) {
        const CommandRun asked = RunOmbrel({command, "--help"});
        EXPECT_EQ(asked.status, 0) << command;
        EXPECT_THAT(asked.out, HasSubstr(std::string("usage: ombrel ") + command));
        EXPECT_EQ(RunOmbrel({"help", command}).out, asked.out);
    }
    EXPECT_THAT(RunOmbrel({"search", "--help"}).out, HasSubstr("Exit status: 0 messages matched"));
    EXPECT_EQ(RunOmbrel({"help", "frobnicate"}).status, cli::kExitUsage);
}

}  // namespace
}  // namespace ombrel::testing

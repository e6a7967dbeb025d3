#include "tests/native/indexing/JobTest.h"

#include "tests/support/EventFields.h"

namespace ombrel::testing {

using Kind = platform::posix::JobViewUpdate::Kind;

JobTest::JobTest() {
    State().accounts = std::make_unique<AccountList>();
    mailbox.MoveInto(*State().accounts);
    indexer.CreateEventFactory(State().eventFactory);
    State().initialized = true;
}

JobTest::~JobTest() {
    StopJob();
}

void JobTest::RunJobToEnd() {
    ASSERT_TRUE(StartJob(dialog));
    Job().worker->Wait();
}

std::string Ascii(std::u16string_view text) {
    return {text.begin(), text.end()};
}

std::vector<std::string> JobTest::Log() const {
    std::vector<std::string> lines;
    for (const WideString& line : posix.jobViews.LogLines()) lines.push_back(Ascii(line.View()));
    return lines;
}

std::vector<std::string> JobTest::Updates() const {
    std::vector<std::string> shown;
    for (const platform::posix::JobViewUpdate& update : posix.jobViews.Updates()) {
        EXPECT_EQ(update.dialog, dialog);
        const std::string value = std::to_string(update.value);
        switch (update.kind) {
            case Kind::LogLine:
                shown.push_back("log " + Ascii(update.line.View()));
                break;
            case Kind::ProgressRange:
                shown.push_back("range " + value);
                break;
            case Kind::ProgressStep:
                shown.push_back("step " + value);
                break;
            case Kind::ProgressPosition:
                shown.push_back("position " + value);
                break;
            case Kind::StepIt:
                shown.push_back("stepit");
                break;
            case Kind::JobEnded:
                shown.push_back("ended");
                break;
        }
    }
    return shown;
}

std::vector<std::string> JobTest::Subjects() const {
    std::vector<std::string> subjects;
    for (const standin::ReceivedEvent& event : journal.Events()) {
        subjects.push_back(Ascii(standin::TextField(event, u"subject").value_or(u"(none)")));
    }
    return subjects;
}

StoredMessage JobTest::Message(const std::string& subject, std::int32_t time,
                               std::uint32_t status) {
    return {"From: anna@example.org\r\nTo: main@example.org\r\nSubject: " + subject +
                "\r\n\r\nBody of " + subject + "\r\n",
            time, status};
}

}  // namespace ombrel::testing

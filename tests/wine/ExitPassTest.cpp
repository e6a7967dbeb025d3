// The exit-time pass through the real library: TBP_Finalize with "Monitor selected folders on
// exit" in the stored record, over a sample store whose enabled folders were indexed before.
#include <windows.h>

#include <oleauto.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/EventFields.h"
#include "tests/support/SamplePasses.h"
#include "tests/support/win32/SampleHost.h"
#include "tests/wine/WineSuite.h"

namespace ombrel::wine {
namespace {

// Folder paths and received times, of events or of the messages expected.
using Sent = std::vector<std::pair<std::u16string, double>>;

double VariantTime(const SystemTime& time) {
    const SYSTEMTIME windows = {time.year, time.month,  time.dayOfWeek, time.day,
                                time.hour, time.minute, time.second,    time.milliseconds};
    double days = 0;
    SystemTimeToVariantTime(const_cast<SYSTEMTIME*>(&windows), &days);
    return days;
}

class ExitPass : public LibraryTest {
  protected:
    ExitPass() {
        // The common account's "Shared" takes part too, so that paths beginning with a backslash
        // are seen.
        store.accounts.back().folders.back().enabled = true;
        testing::MonitorEnabledFolders(store, 3, &standin::WindowsMessageTime);
        installed = standin::InstallSampleStore(store, workingDirectory);
    }

    void StoreOptions(std::uint8_t monitorOnExit) {
        const std::uint8_t record[12] = {0x0D, 0xF0, 0xAD, 0xBA, 0,  monitorOnExit,
                                         0,    0,    0,    0,    12, 0};
        library.SetConfigData(record, sizeof record);
    }
    // Starts the library and shuts it down again, with the indexer's answers scripted after the
    // start; what reached the indexer during the shutdown.
    Sent RunAndFinalize(HResult firstSubmission = hr::kOk) {
        library.Initialize();
        EXPECT_EQ(library.GetStatus(), 0);
        journal.Clear();
        journal.Script("Submit", firstSubmission, 1);
        library.Finalize();
        Sent sent;
        for (const standin::ReceivedEvent& event : journal.Events()) {
            sent.emplace_back(standin::TextField(event, u"folder_name").value_or(u""),
                              standin::DateField(event, u"received").value_or(-1));
        }
        return sent;
    }
    Sent Expected() const {
        Sent sent;
        for (const auto& message : testing::ExitPassMessages(store, &standin::WindowsMessageTime)) {
            sent.emplace_back(message.path, VariantTime(message.time));
        }
        return sent;
    }

    testing::SampleStore store = testing::MakeSampleStore(6);
    bool installed = false;
};

TEST_F(ExitPass, SendsTheNewerMessagesOfTheMonitoredFoldersOnceAndWithoutTheIndexFlag) {
    ASSERT_TRUE(installed);
    StoreOptions(1);
    const Sent expected = Expected();
    ASSERT_GE(expected.size(), 6U);
    EXPECT_EQ(RunAndFinalize(), expected);
    bool commonSeen = false;
    for (const standin::ReceivedEvent& event : journal.Events()) {
        EXPECT_EQ(standin::NumberField(event, u"mail_flags").value_or(1) & 1U, 0U);
        commonSeen |= standin::TextField(event, u"folder_name") == u"\\Shared";
    }
    EXPECT_TRUE(commonSeen);
    EXPECT_EQ(library.GetStatus(), 1);
    EXPECT_EQ(journal.LiveObjects(), 0);
    // The folders' times moved to the messages sent: a second shutdown sends nothing.
    EXPECT_EQ(RunAndFinalize(), Sent());
}

TEST_F(ExitPass, WithoutTheOptionInTheStoredRecordNothingIsSent) {
    ASSERT_TRUE(installed);
    StoreOptions(0);
    EXPECT_EQ(RunAndFinalize(), Sent());
}

TEST_F(ExitPass, TheServiceNotRunningEndsThePassAndTheLibraryStillShutsDown) {
    ASSERT_TRUE(installed);
    StoreOptions(1);
    EXPECT_EQ(RunAndFinalize(MakeHResult(0x80040009)).size(), 1U);
    EXPECT_EQ(library.GetStatus(), 1);
    EXPECT_EQ(journal.LiveObjects(), 0);
    // The folder that was being indexed kept its time: its messages are sent at the next exit.
    const Sent again = RunAndFinalize();
    ASSERT_FALSE(again.empty());
    EXPECT_EQ(again.front(), Expected().front());
}

}  // namespace
}  // namespace ombrel::wine

// The library unloaded while its re-indexing job runs, as a host may unload it: finalised first
// or not, its job running, paused or held where it cannot stop. The host must stay sound: no
// access violation, no hang, and the library loads and indexes again. A program of its own,
// since the Wine suite keeps the library loaded throughout.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <utility>

#include "tests/support/IndexerJournal.h"
#include "tests/support/SampleStore.h"
#include "tests/support/win32/ComStandInIndexer.h"
#include "tests/support/win32/HostMessage.h"
#include "tests/support/win32/HostRegistry.h"
#include "tests/support/win32/PluginLibrary.h"
#include "tests/support/win32/SampleHost.h"
#include "tests/support/win32/SetupRun.h"

namespace ombrel::wine {
namespace {

using namespace std::chrono_literals;
using standin::PluginLibrary;
using standin::SetupRun;

constexpr const wchar_t* kLibraryName = L"OmbrelDesktopTheBat.dll";
constexpr UINT kEndHostThread = WM_APP + 23;

// Indexing on receipt on, so that a library loaded again can be seen to index.
constexpr std::array<std::uint8_t, 12> kIndexOnReceive = {0x0D, 0xF0, 0xAD, 0xBA, 1,  0,
                                                          0,    0,    0,    0,    12, 0};

bool LibraryIsLoaded() {
    return GetModuleHandleW(kLibraryName) != nullptr;
}

// Ends the host thread where it gets the message, inside the dialog's message loop: the thread
// leaves the library without the dialog ending, and the job goes on with no dialog to stop it.
LRESULT CALLBACK EndThreadOnMessage(int code, WPARAM removed, LPARAM message) {
    if (code == HC_ACTION && reinterpret_cast<const MSG*>(message)->message == kEndHostThread) {
        ExitThread(0);
    }
    return CallNextHookEx(nullptr, code, removed, message);
}

// Ends the dialog's host thread, leaving the job that it started to run.
void EndHostThread(SetupRun& run) {
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, &EndThreadOnMessage, nullptr, run.HostThread());
    ASSERT_NE(hook, nullptr);
    PostMessageW(run.Dialog(), kEndHostThread, 0, 0);
    EXPECT_TRUE(run.Result().has_value());
    UnhookWindowsHookEx(hook);
}

// Every submission of the stand-in indexer counted, and held while the test asks.
class Submissions {
  public:
    explicit Submissions(standin::IndexerJournal& journal) : journal_(journal) {
        journal_.OnEnter("Submit", [this] {
            ++count_;
            WaitForSingleObject(released_, INFINITE);
        });
    }
    ~Submissions() {
        Release();
        journal_.OnEnter("Submit", {});
        CloseHandle(released_);
    }
    Submissions(const Submissions&) = delete;
    Submissions& operator=(const Submissions&) = delete;

    int Count() const { return count_; }
    void Hold() { ResetEvent(released_); }
    void Release() { SetEvent(released_); }
    // Whether the count still grows over a while.
    bool StillGrowing() const {
        const int before = count_;
        Sleep(500);
        return count_ != before;
    }

  private:
    standin::IndexerJournal& journal_;
    std::atomic<int> count_ = 0;
    HANDLE released_ = CreateEventW(nullptr, TRUE, TRUE, nullptr);
};

// The stand-in indexer, registered as COM classes of this program for the whole run.
struct StandIn {
    standin::IndexerJournal journal;
    standin::ComStandInIndexer indexer{journal};
};

StandIn* standIn = nullptr;

StandIn& Indexer() {
    return *standIn;
}

class UnloadDuringReindex : public ::testing::Test {
  protected:
    UnloadDuringReindex() {
        standin::InstallHostEnvironment(workingDirectory);
        EXPECT_TRUE(standin::InstallSampleStore(store, workingDirectory));
        Indexer().indexer.MakeMarshalable(true);
        Indexer().indexer.Register();
    }
    ~UnloadDuringReindex() override {
        standin::DeleteTree(HKEY_CURRENT_USER, standin::kHostKey);
        standin::DeleteTree(HKEY_CURRENT_USER, standin::kComponentKey);
    }

    // Loads and initialises the library.
    static std::unique_ptr<PluginLibrary> Load() {
        auto library = std::make_unique<PluginLibrary>();
        EXPECT_TRUE(library->Loaded());
        library->SetConfigData(kIndexOnReceive.data(), 12);
        library->Initialize();
        EXPECT_EQ(library->GetStatus(), 0);
        return library;
    }

    // Starts a re-index of every folder in the dialog and waits until the worker is inside its
    // first submission, held there.
    void StartHeldJob(const SetupRun& run) {
        submissions.Hold();
        ASSERT_NE(run.Dialog(), nullptr);
        run.Command(205);  // Select All
        run.Command(202);  // Re-Index Selected
        ASSERT_TRUE(SetupRun::WaitUntil([this] { return submissions.Count() > 0; }));
    }

    // The same, then the dialog's host thread ends, leaving the job to run, still held.
    void StartOrphanedJob(PluginLibrary& library) {
        SetupRun run(library);
        StartHeldJob(run);
        EndHostThread(run);
    }

    // Receives one message through a library loaded again: it reaches the indexer.
    void ReceiveThroughANewLoad() {
        std::unique_ptr<PluginLibrary> library = Load();
        const std::size_t before = Indexer().journal.Events().size();
        standin::HostMessage message(
            "From: anna@example.org\r\nTo: bob@example.org\r\nSubject: Again\r\n\r\nHello.\r\n");
        EXPECT_EQ(library->GetSpamScore(&message, &standin::HostMessageCallback), -1);
        EXPECT_EQ(Indexer().journal.Events().size(), before + 1);
        library->Finalize();
        library.reset();
        EXPECT_TRUE(SetupRun::WaitUntil([] { return !LibraryIsLoaded(); }));
    }

    // Finalises and frees the library: its job ends, the library is unloaded, and it indexes
    // when loaded again.
    void FinalizeAndFree(std::unique_ptr<PluginLibrary> library) {
        library->Finalize();
        EXPECT_EQ(library->GetStatus(), 1);
        EXPECT_FALSE(submissions.StillGrowing());
        library.reset();
        EXPECT_FALSE(LibraryIsLoaded());
        ReceiveThroughANewLoad();
    }

    std::wstring workingDirectory = standin::FreshTemporaryDirectory(L"ombrel-unload");
    const testing::SampleStore store = testing::MakeSampleStore(150);
    Submissions submissions{Indexer().journal};
};

TEST_F(UnloadDuringReindex, FinalizeStopsTheJobThenFreeLibraryUnloads) {
    std::unique_ptr<PluginLibrary> library = Load();
    StartOrphanedJob(*library);
    submissions.Release();
    ASSERT_TRUE(submissions.StillGrowing());
    FinalizeAndFree(std::move(library));
}

TEST_F(UnloadDuringReindex, FinalizeResumesAPausedJobToStopIt) {
    std::unique_ptr<PluginLibrary> library = Load();
    {
        SetupRun run(*library);
        StartHeldJob(run);
        run.PostCommand(202);  // Pause, while the worker is held in its submission
        ASSERT_TRUE(run.WaitForText(202, L"Unpause"));
        submissions.Release();
        EXPECT_FALSE(submissions.StillGrowing());
        EndHostThread(run);
    }
    // A worker left suspended would not end: the library would stay loaded.
    FinalizeAndFree(std::move(library));
}

TEST_F(UnloadDuringReindex, AWorkerThatCannotStopKeepsTheLibraryLoadedUntilItEnds) {
    std::unique_ptr<PluginLibrary> library = Load();
    StartOrphanedJob(*library);  // held inside a submission, where it cannot see a stop
    library->Finalize();         // gives up after its limit
    EXPECT_EQ(library->GetStatus(), 1);
    library.reset();
    EXPECT_TRUE(LibraryIsLoaded());  // the worker still runs its code
    submissions.Release();           // it meets the stop request and ends
    EXPECT_TRUE(SetupRun::WaitUntil([] { return !LibraryIsLoaded(); }));
    ReceiveThroughANewLoad();
}

TEST_F(UnloadDuringReindex, FreeLibraryWithoutFinalizeLeavesTheJobToEndThenUnloads) {
    std::unique_ptr<PluginLibrary> library = Load();
    StartOrphanedJob(*library);
    library.reset();
    EXPECT_TRUE(LibraryIsLoaded());  // held by the worker, which is held in a submission
    submissions.Release();
    EXPECT_TRUE(SetupRun::WaitUntil([] { return !LibraryIsLoaded(); }, 300s));
    ReceiveThroughANewLoad();
}

TEST_F(UnloadDuringReindex, ALoadAgainWhileTheJobRunsEndsItAndIndexes) {
    std::unique_ptr<PluginLibrary> library = Load();
    StartOrphanedJob(*library);
    library.reset();  // without TBP_Finalize
    submissions.Release();
    ASSERT_TRUE(submissions.StillGrowing());
    ReceiveThroughANewLoad();  // TBP_Initialize stops the job before it starts again
    EXPECT_FALSE(submissions.StillGrowing());
}

}  // namespace
}  // namespace ombrel::wine

// COM is initialised on the test thread, as the host does.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;
    int result = 0;
    {
        ombrel::wine::StandIn running;
        ombrel::wine::standIn = &running;
        result = RUN_ALL_TESTS();
    }
    CoUninitialize();
    return result;
}

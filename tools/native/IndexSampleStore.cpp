// Runs the library's indexing natively over a sample mail store, as a user of the settings dialog
// and the host's shutdown would, and prints one JSON object per line:
//
//   index_sample_store [--messages N]
//
// 1. writes the sample store (N messages a folder, 4 unless given) to a temporary directory, with
//    the host's registry entries, and starts the library with "Monitor selected folders on exit";
// 2. opens the settings dialog (the native model of it): Select All, Re-Index Selected, waits for
//    "Done", then returns to the settings and closes the dialog with OK, which stores the check
//    marks; prints the dialog's log and the events that the job sent;
// 3. new mail lands in every Inbox: two messages newer than its last indexed time and one older
//    that arrived late;
// 4. shuts the library down: the exit pass sends only the newer mail; prints its events.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "common/CalendarMath.h"
#include "host/PluginApi.h"
#include "host/PluginState.h"
#include "indexing/IndexingJob.h"
#include "mailstore/FolderPath.h"
#include "mailstore/FolderState.h"
#include "mailstore/MessageBaseFile.h"
#include "platform/posix/PosixPaths.h"
#include "tests/support/EventLines.h"
#include "tests/support/HostEnvironment.h"
#include "tests/support/JsonText.h"
#include "tests/support/SampleMail.h"
#include "tests/support/StandInIndexer.h"
#include "tests/support/TempDirectory.h"
#include "tests/support/posix/ModelPlatform.h"
#include "ui/DialogControls.h"

namespace {

using namespace ombrel;
using testing::Json;
using namespace ombrel::controls;

// The folder's messages as its base holds them.
std::vector<testing::StoredMessage> StoredMessages(const MailFolder& folder) {
    std::vector<testing::StoredMessage> messages;
    CTheBatNBBFile base;
    if (!base.OpenBase(folder.directory)) return messages;
    for (std::uint32_t number = 0; number < base.Index().Count(); ++number) {
        const char* text = nullptr;
        std::uint32_t size = 0;
        std::int32_t time = 0;
        if (base.ReadMessage(number, &text, &size, &time)) {
            messages.push_back({std::string(text, size), time, base.Index().Entry(number).status});
        }
    }
    return messages;
}

// Adds mail to the base of every Inbox below `parent` that has a last indexed time: two messages
// after that time and, between them, one from before it.
void DeliverNewMail(const MailAccount& account, const MailFolder& parent, int& serial) {
    for (const std::unique_ptr<MailFolder>& child : parent.children) {
        SystemTime indexed;
        if (child->displayName.View() == u"Inbox" && ReadMonitorTime(*child, &indexed)) {
            const std::int64_t last = UnixSecondsOf(indexed);
            std::vector<testing::StoredMessage> messages = StoredMessages(*child);
            for (const std::int64_t time :
                 {last + 3600, last - std::int64_t{86400} * 30, last + 7200}) {
                const auto kind = static_cast<testing::SampleMailKind>(
                    serial % static_cast<int>(testing::SampleMailKind::kCount));
                messages.push_back(
                    {testing::SampleMail(
                         kind, 9000 + serial++, time, "anna.berg@example.org",
                         std::string(account.address.View().begin(), account.address.View().end())),
                     static_cast<std::int32_t>(time), 0});
            }
            const testing::MessageBaseFiles files = testing::WriteMessageBase(messages);
            const std::string directory = platform::posix::PosixPath(child->directory.View());
            std::ofstream(directory + "MESSAGES.TBB", std::ios::binary | std::ios::trunc)
                << files.base;
            std::ofstream(directory + "MESSAGES.TBI", std::ios::binary | std::ios::trunc)
                << files.index;
            std::printf("{\"newMail\":{\"folder\":%s,\"messages\":3}}\n",
                        Json(FolderPath(account, *child).View()).c_str());
        }
        DeliverNewMail(account, *child, serial);
    }
}

}  // namespace

int main(int argc, char** argv) {
    int perFolder = 4;
    if (argc == 3 && std::string(argv[1]) == "--messages") {
        perFolder = std::atoi(argv[2]);
    } else if (argc != 1) {
        std::fprintf(stderr, "usage: index_sample_store [--messages N]\n");
        return 2;
    }

    platform::posix::ModelPlatform posix;
    standin::IndexerJournal journal;
    standin::StandInIndexer indexer(journal);
    const platform::ScopedPorts ports(posix.MakePorts(&indexer));
    const testing::TempDirectory disk;
    const testing::SampleStore store = testing::MakeSampleStore(perFolder);
    const std::u16string root = disk.Directory().Std();
    testing::WriteSampleStore(store, disk.Local(u""), root);
    testing::InstallHostEnvironment(posix, root);
    testing::PutRegistryEntries(posix, testing::SampleRegistry(store, root));

    const std::uint8_t options[12] = {0x0D, 0xF0, 0xAD, 0xBA, 0, 1, 0, 0, 0, 0, 12, 0};
    plugin::SetConfigData(options, sizeof options);
    plugin::Initialize();
    std::printf("{\"library\":{\"status\":%d}}\n", plugin::GetStatus());
    if (plugin::GetStatus() != 0) return 1;

    posix.dialogs.SetUser([](platform::posix::DialogModel& dialog) {
        dialog.Click(kSelectAll);
        dialog.Click(kReIndex);
        if (!dialog.DeliverUntil([&] { return dialog.Item(kCancel).text == u"Done"; },
                                 std::chrono::minutes(5))) {
            std::fprintf(stderr, "the job did not end\n");
        }
        for (const std::u16string& line : dialog.LogLines()) {
            std::printf("{\"log\":%s}\n", Json(line).c_str());
        }
        dialog.Click(kCancel);  // "Done"
        dialog.DeliverPosted();
        dialog.Click(kOk);
    });
    std::printf("{\"setup\":%d}\n", plugin::Setup());
    const std::vector<standin::ReceivedEvent> indexed = journal.Events();
    standin::PrintEvents(indexed, 0, "folder");

    int serial = 0;
    for (const std::unique_ptr<MailAccount>& account : *State().accounts) {
        DeliverNewMail(*account, account->rootFolder, serial);
    }
    plugin::Finalize();
    const std::vector<standin::ReceivedEvent> all = journal.Events();
    standin::PrintEvents(all, indexed.size(), "exit");
    std::printf(
        "{\"summary\":{\"folderPassEvents\":%zu,\"exitPassEvents\":%zu,"
        "\"liveIndexerObjects\":%d}}\n",
        indexed.size(), all.size() - indexed.size(), journal.LiveObjects());
    return journal.LiveObjects() == 0 ? 0 : 1;
}

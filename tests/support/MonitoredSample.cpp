#include "tests/support/MonitoredSample.h"

#include <tuple>

namespace ombrel::testing {
namespace {

auto Fields(const SystemTime& t) {
    return std::tie(t.year, t.month, t.day, t.hour, t.minute, t.second, t.milliseconds);
}

void Monitor(std::vector<SampleFolder>& folders, std::size_t at, const MessageClock& timeOf) {
    for (SampleFolder& folder : folders) {
        if (folder.enabled && at < folder.messages.size()) {
            folder.monitor = timeOf(folder.messages[at].time);
        }
        Monitor(folder.children, at, timeOf);
    }
}

void Collect(const std::vector<SampleFolder>& folders, const std::u16string& parentPath,
             const MessageClock& timeOf, std::vector<FolderMessage>& newer) {
    for (const SampleFolder& folder : folders) {
        const std::u16string path = parentPath + u"\\" + folder.displayName;
        if (folder.enabled && !folder.monitor.IsNone()) {
            for (const StoredMessage& message : folder.messages) {
                const SystemTime time = timeOf(message.time);
                if ((message.status & 0x1) == 0 && Fields(time) > Fields(folder.monitor)) {
                    newer.push_back({path, time});
                }
            }
        }
        Collect(folder.children, path, timeOf, newer);
    }
}

}  // namespace

void MonitorEnabledFolders(SampleStore& store, std::size_t at, const MessageClock& timeOf) {
    for (SampleAccount& account : store.accounts) Monitor(account.folders, at, timeOf);
}

std::vector<FolderMessage> ExitPassMessages(const SampleStore& store, const MessageClock& timeOf) {
    std::vector<FolderMessage> newer;
    for (const SampleAccount& account : store.accounts) {
        Collect(account.folders, account.user, timeOf, newer);
    }
    return newer;
}

}  // namespace ombrel::testing

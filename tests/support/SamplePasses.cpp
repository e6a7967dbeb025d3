#include "tests/support/SamplePasses.h"

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

struct PassCounts {
    int indexed = 0;
    int skipped = 0;
};

void Log(const std::vector<SampleFolder>& folders, const std::u16string& parentPath,
         std::vector<std::u16string>& lines, PassCounts& counts) {
    for (const SampleFolder& folder : folders) {
        const std::u16string path = parentPath + u"\\" + folder.displayName;
        if (!folder.messages.empty()) {
            lines.push_back(path + u" (" + WidenLatin1(std::to_string(folder.messages.size())) +
                            u")");
        }
        for (const StoredMessage& message : folder.messages) {
            ++((message.status & 0x1) != 0 ? counts.skipped : counts.indexed);
        }
        Log(folder.children, path, lines, counts);
    }
}

std::u16string Counted(const char* label, int count) {
    return WidenLatin1(label + std::to_string(count));
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

std::vector<std::u16string> FolderPassLog(const SampleStore& store) {
    std::vector<std::u16string> lines;
    PassCounts counts;
    for (const SampleAccount& account : store.accounts) {
        Log(account.folders, account.user, lines, counts);
    }
    lines.emplace_back(u"----------------------------");
    if (counts.indexed != 0) lines.push_back(Counted("Indexed ", counts.indexed));
    if (counts.skipped != 0) lines.push_back(Counted("Skipped ", counts.skipped));
    lines.emplace_back(u"Indexing done successfully!");
    return lines;
}

}  // namespace ombrel::testing

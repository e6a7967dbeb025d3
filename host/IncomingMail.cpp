#include "host/IncomingMail.h"

#include <algorithm>
#include <mutex>
#include <optional>

#include "common/SystemTime.h"
#include "common/TextCompare.h"
#include "host/MessageBuffer.h"
#include "host/PluginState.h"
#include "indexer/EmailEvent.h"
#include "mailstore/FolderState.h"
#include "mime/ParsedMessage.h"
#include "platform/Clock.h"
#include "platform/Ports.h"

namespace ombrel {
namespace {

constexpr std::int32_t kMessageText = 100005;  // the data kind of the whole RFC 822 message

// Where an incoming message is filed: its folder name, and the state of its account's Inbox when
// the account has one. Copied out of the account list, which the hook does not hold on to.
struct Destination {
    WideString folderName;
    bool hasInbox = false;
    MailFolder inbox;  // the Inbox's directory only, which its state file is found by
};

// The message's text from the host into the buffer, followed by a zero byte: as many bytes as the
// host says it copied, never more than it announced, so that a short copy leaves nothing of the
// buffer's earlier contents in the message. The text's length with its zero byte, or 0 when the
// host has no text or the buffer cannot be had.
std::uint32_t FetchMessage(MessageDataSource& source, MessageBuffer& buffer) {
    const std::int32_t size = source.Fetch(kMessageText, nullptr, -1);
    if (size <= 0) return 0;
    if (!buffer.Obtain(static_cast<std::uint32_t>(size) + 1)) return 0;
    const std::int32_t copied = std::min(source.Fetch(kMessageText, buffer.Data(), size), size);
    if (copied <= 0) return 0;
    buffer.Data()[copied] = '\0';
    return static_cast<std::uint32_t>(copied) + 1;
}

const MailFolder* FindInbox(const MailAccount& account) {
    for (const auto& child : account.rootFolder.children) {
        if (EqualsIgnoringCase(child->name.View(), u"Inbox")) return child.get();
    }
    return nullptr;
}

// The destination of a message sent to `to`: the first account whose address the text holds
// (an empty address matches any), or no folder when none does. False when that account is not
// enabled for indexing, and the message is not to be indexed.
bool FindDestination(const WideString& to, Destination& destination) {
    const AccountList* accounts = State().accounts.get();
    if (to.IsEmpty() || accounts == nullptr) return true;
    for (const auto& account : *accounts) {
        if (to.Find(account->address.CStr()) < 0) continue;
        if (!ReadEnabled(*account)) return false;
        destination.folderName = account->name + u"\\Inbox";
        if (const MailFolder* inbox = FindInbox(*account)) {
            destination.hasInbox = true;
            destination.inbox.directory = inbox->directory;
        }
        return true;
    }
    return true;
}

void IndexMessage(MessageDataSource& source, MessageWorkspace& workspace, MessageBuffer& buffer) {
    const PluginState& state = State();
    if (!state.initialized || state.activeConfig.indexOnReceive == 0) return;
    const std::uint32_t length = FetchMessage(source, buffer);
    if (length == 0) return;
    ParsedMessage& message = workspace.message;
    message.parse(buffer.Data(), length);

    Destination destination;
    if (!FindDestination(message.to, destination)) return;
    const SystemTime now = platform::CurrentPorts().clock->CurrentUtcTime();
    const HResult result = SubmitEmailEvent(message, now, destination.folderName, workspace.event);
    if (Succeeded(result) && destination.hasInbox) MoveMonitorTimeForward(now, destination.inbox);
}

// The hook's workspace is kept from one message to the next, so that its memory is reused,
// unless the message was longer than this: then its memory goes with it. Mail that arrives on a
// second thread meanwhile gets a workspace of its own.
constexpr std::uint32_t kKeptMessageLength = std::uint32_t{2} << 20;

std::mutex& SharedWorkspaceMutex() {
    static std::mutex mutex;
    return mutex;
}

std::optional<MessageWorkspace>& SharedWorkspace() {
    static std::optional<MessageWorkspace> workspace;
    return workspace;
}

}  // namespace

std::int32_t IndexIncomingMessage(MessageDataSource& source) {
    const std::unique_lock shared(SharedWorkspaceMutex(), std::try_to_lock);
    std::optional<MessageWorkspace> own;
    std::optional<MessageWorkspace>& workspace = shared.owns_lock() ? SharedWorkspace() : own;
    if (!workspace) workspace.emplace();
    MessageBuffer buffer;
    try {
        IndexMessage(source, *workspace, buffer);
    } catch (...) {
        // The message stays unindexed and the Inbox time as it was; the host is told nothing.
    }
    if (buffer.Length() > kKeptMessageLength) {
        workspace.reset();
    } else {
        workspace->message.reset();
    }
    buffer.Release();
    return -1;
}

}  // namespace ombrel

#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "mailstore/MailAccount.h"
#include "tests/support/MailboxWriters.h"
#include "tests/support/TempDirectory.h"

namespace ombrel::testing {

// Times of stored messages: 2006-01-01 00:00:00 UTC, and a day.
inline constexpr std::int32_t k2006 = 1136073600;
inline constexpr std::int32_t kDay = 86400;

// A short plain message to the mailbox's owner with the subject, stored at `time`.
StoredMessage SimpleMessage(const std::string& subject, std::int32_t time,
                            std::uint32_t status = 0);

// A first message that fills more than a base reader's window, marked as not to be indexed (so it
// is never read), then `count` simple messages a second apart from `time` on, which a reader
// reaches only by moving its window.
std::vector<StoredMessage> PastTheFirstWindow(std::size_t count, std::int32_t time);

// Selects every folder of every account for the job (in memory, as the dialog's check marks do).
void EnableEveryFolder(AccountList& accounts);

// One account whose folder tree is built in memory, each folder in a directory of its own below
// a temporary directory with its message base written there. The account's root folder has a
// directory too (the account's), as loaded accounts do.
class TestMailbox {
  public:
    explicit TestMailbox(std::u16string accountName = u"Main");

    // A folder below `parent`: with its base holding `messages` when given (an empty list gives
    // an index without entries), without any files otherwise. An enabled folder has the flag set
    // and "Enabled=1" in its state file.
    MailFolder& Add(MailFolder& parent, const std::u16string& displayName,
                    std::optional<std::vector<StoredMessage>> messages, bool enabled);
    // Writes the folder's base again, from files that the caller may have damaged.
    void Store(const MailFolder& folder, const MessageBaseFiles& files) const;

    // The text of the folder's state file ("" when it has none).
    std::string StateFile(const MailFolder& folder) const;

    MailAccount& Account() { return *account_; }
    MailFolder& Root() { return account_->rootFolder; }
    // Hands the account over to the list; the account and its folders stay where they are.
    void MoveInto(AccountList& accounts);

    TempDirectory disk;

  private:
    std::unique_ptr<MailAccount> owned_ = std::make_unique<MailAccount>();
    MailAccount* account_ = owned_.get();
    int folders_ = 0;
    std::map<const MailFolder*, std::u16string> relatives_;  // each folder's directory below disk
};

}  // namespace ombrel::testing

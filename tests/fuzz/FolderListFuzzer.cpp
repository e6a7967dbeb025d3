// An account's folder tree built from any bytes as "ACCOUNT.FLB".
#include "mailstore/FolderPath.h"
#include "mailstore/FolderTree.h"
#include "tests/fuzz/FuzzTarget.h"
#include "tests/fuzz/MailboxFuzzing.h"

namespace {

std::size_t Walk(const ombrel::MailAccount& account, const ombrel::MailFolder& folder) {
    std::size_t length = 0;
    for (const auto& child : folder.children) {
        length += ombrel::FolderPath(account, *child).Length() + child->directory.Length();
        length += Walk(account, *child);
    }
    return length;
}

}  // namespace

OMBREL_FUZZ_TARGET(FolderList) {
    ombrel::fuzz::MailboxFuzzing mailbox;
    mailbox.Put(u"A\\Account.CFN", std::string(4, '\0'));
    mailbox.Put(u"A\\ACCOUNT.FLB", data, size);
    const auto account = ombrel::BuildAccount(u"A", u"A\\");
    static_cast<void>(Walk(*account, account->rootFolder));
    return 0;
}

// The account settings reader on any bytes as "Account.CFN".
#include "mailstore/AccountConfig.h"
#include "tests/fuzz/FuzzTarget.h"
#include "tests/fuzz/MailboxFuzzing.h"

OMBREL_FUZZ_TARGET(AccountConfig) {
    ombrel::fuzz::MailboxFuzzing mailbox;
    mailbox.Put(u"A\\Account.CFN", data, size);
    ombrel::WideString address;
    ombrel::WideString second;
    ombrel::ReadAccountConfig(u"A\\", address, second);
    return 0;
}

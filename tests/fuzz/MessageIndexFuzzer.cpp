// The message index reader on any bytes as "MESSAGES.TBI".
#include "mailstore/MessageIndexFile.h"
#include "tests/fuzz/FuzzTarget.h"
#include "tests/fuzz/MailboxFuzzing.h"

OMBREL_FUZZ_TARGET(MessageIndex) {
    ombrel::fuzz::MailboxFuzzing mailbox;
    mailbox.Put(u"F\\MESSAGES.TBI", data, size);
    ombrel::CTheBatNBIFile index;
    if (index.OpenIndex(u"F\\")) {
        std::uint32_t sum = 0;
        for (std::uint32_t number = 0; number <= index.Count(); ++number) {
            const ombrel::IndexEntry entry = index.Entry(number);
            sum += entry.recordOffset + entry.status + entry.messageSize;
        }
        static_cast<void>(sum);
    }
    return 0;
}

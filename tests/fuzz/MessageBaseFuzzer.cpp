// The message base reader on any bytes: the first two bytes give the length of "MESSAGES.TBI",
// which follows them; "MESSAGES.TBB" is the rest.
#include <algorithm>

#include "mailstore/MessageBaseFile.h"
#include "tests/fuzz/FuzzTarget.h"
#include "tests/fuzz/MailboxFuzzing.h"

OMBREL_FUZZ_TARGET(MessageBase) {
    if (size < 2) return 0;
    const std::size_t indexSize = std::min<std::size_t>(size - 2, data[0] | (data[1] << 8));
    ombrel::fuzz::MailboxFuzzing mailbox;
    mailbox.Put(u"F\\MESSAGES.TBI", data + 2, indexSize);
    mailbox.Put(u"F\\MESSAGES.TBB", data + 2 + indexSize, size - 2 - indexSize);
    ombrel::CTheBatNBBFile base;
    if (base.OpenBase(u"F\\")) {
        std::uint32_t sum = 0;
        for (std::uint32_t number = 0; number <= base.Index().Count(); ++number) {
            const char* text = nullptr;
            std::uint32_t length = 0;
            std::int32_t time = 0;
            if (base.ReadMessage(number, &text, &length, &time)) {
                sum += ombrel::fuzz::Touch(text, length) + static_cast<std::uint32_t>(time);
            }
        }
        static_cast<void>(sum);
    }
    return 0;
}

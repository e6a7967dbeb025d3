#include "bench/store/BenchStore.h"

#include <algorithm>

#include "platform/posix/PosixPaths.h"

namespace ombrel::bench {

BenchStore::BenchStore(const StoreOptions& options) : messages_(options.messages) {
    MailMix mix(options.seed, options.weights);
    int serial = 0;
    for (int folder = 1; serial < options.messages; ++folder) {
        std::vector<testing::StoredMessage> messages;
        for (const int last = std::min(options.messages, serial + kFolderSize); serial < last;
             ++serial) {
            std::string text = mix.Next(serial);
            textBytes_ += text.size();
            // Now and then one marked as not to be indexed, and one flagged.
            const std::uint32_t status =
                (serial % 97 == 5 ? 0x1U : 0U) | (serial % 7 == 3 ? 0x2U : 0U);
            messages.push_back({std::move(text), 1136073600 + serial * 300, status});
        }
        const MailFolder& added =
            mailbox_.Add(mailbox_.Root(), u"Folder " + WideString::Formatted(u"%d", folder).Std(),
                         messages, true);
        basePaths_.push_back(platform::posix::PosixPath(added.directory.View()) + "MESSAGES.TBB");
    }
}

}  // namespace ombrel::bench

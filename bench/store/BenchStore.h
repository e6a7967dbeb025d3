#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bench/store/MailMix.h"
#include "tests/support/TestMailbox.h"

namespace ombrel::bench {

struct StoreOptions {
    int messages = 20000;
    unsigned seed = 2006;
    MailWeights weights = kDefaultWeights;
};

// A generated mail store on disk: one account whose enabled folders hold the messages, at most
// kFolderSize each, with the host's status bits on some of them.
class BenchStore {
  public:
    static constexpr int kFolderSize = 2000;

    explicit BenchStore(const StoreOptions& options);

    testing::TestMailbox& Mailbox() { return mailbox_; }
    int Messages() const { return messages_; }
    std::uint64_t TextBytes() const { return textBytes_; }
    // The message bases' paths on this machine.
    const std::vector<std::string>& BasePaths() const { return basePaths_; }

  private:
    testing::TestMailbox mailbox_{u"Bench"};
    int messages_ = 0;
    std::uint64_t textBytes_ = 0;
    std::vector<std::string> basePaths_;
};

}  // namespace ombrel::bench

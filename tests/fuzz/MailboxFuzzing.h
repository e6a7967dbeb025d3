#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Ports.h"
#include "platform/posix/PosixPlatform.h"
#include "tests/support/MemoryDiskFiles.h"
#include "tests/support/StandInIndexer.h"

namespace ombrel::fuzz {

// The ports a mailbox fuzz target reads through, for one input: the files in memory and the posix
// layer's other ports (its profile files find no state file beside the files in memory).
class MailboxFuzzing {
  public:
    MailboxFuzzing() : scoped_(MakePorts()) {}

    void Put(const std::u16string& path, const std::uint8_t* data, std::size_t size) {
        files_.Put(path, std::string(reinterpret_cast<const char*>(data), size));
    }
    void Put(const std::u16string& path, const std::string& bytes) { files_.Put(path, bytes); }

  private:
    platform::Ports MakePorts() {
        platform::Ports ports = posix_.MakePorts(&indexer_);
        ports.diskFiles = &files_;
        return ports;
    }

    platform::posix::PosixPlatform posix_;
    standin::IndexerJournal journal_;
    standin::StandInIndexer indexer_{journal_};
    testing::MemoryDiskFiles files_;
    platform::ScopedPorts scoped_;
};

// Adds up bytes so that every byte handed out is read.
inline std::uint32_t Touch(const char* text, std::uint32_t size) {
    std::uint32_t sum = 0;
    for (std::uint32_t i = 0; i < size; ++i) sum += static_cast<unsigned char>(text[i]);
    return sum;
}

}  // namespace ombrel::fuzz

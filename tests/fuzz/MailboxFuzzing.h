#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Ports.h"
#include "platform/posix/PosixCodePages.h"
#include "tests/support/MemoryDiskFiles.h"

namespace ombrel::fuzz {

// The ports a mailbox fuzz target reads through, for one input: the files in memory, the native
// code pages, no state files.
class MailboxFuzzing {
  public:
    MailboxFuzzing() : scoped_(MakePorts()) {}

    void Put(const std::u16string& path, const std::uint8_t* data, std::size_t size) {
        files_.Put(path, std::string(reinterpret_cast<const char*>(data), size));
    }
    void Put(const std::u16string& path, const std::string& bytes) { files_.Put(path, bytes); }

  private:
    platform::Ports MakePorts() {
        platform::Ports ports;
        ports.codePages = &codePages_;
        ports.diskFiles = &files_;
        return ports;
    }

    platform::posix::PosixCodePages codePages_;
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

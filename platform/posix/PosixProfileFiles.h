#pragma once

#include <mutex>

#include "platform/CodePages.h"
#include "platform/ProfileFiles.h"

namespace ombrel::platform::posix {

// Initialisation files of the native build, read and written as the Windows private-profile
// functions do. A file without a byte-order mark is text in the ANSI code page; one that starts
// with the UTF-16LE or UTF-8 mark keeps its encoding. A write changes one line (or adds one) and
// replaces the file whole, so a crash never leaves half a file.
class PosixProfileFiles final : public ProfileFiles {
  public:
    explicit PosixProfileFiles(const CodePages& codePages) : codePages_(codePages) {}

    std::uint32_t GetString(const char16_t* section, const char16_t* key,
                            const char16_t* defaultValue, char16_t* buffer, std::uint32_t size,
                            const char16_t* file) const override;
    std::uint32_t GetInt(const char16_t* section, const char16_t* key, std::int32_t defaultValue,
                         const char16_t* file) const override;
    bool WriteString(const char16_t* section, const char16_t* key, const char16_t* value,
                     const char16_t* file) override;

  private:
    const CodePages& codePages_;
    mutable std::mutex mutex_;  // the system serialises profile access within a process
};

}  // namespace ombrel::platform::posix

#pragma once

#include <filesystem>
#include <string>

#include "common/WideString.h"

namespace ombrel::testing {

// A fresh temporary directory, removed with everything in it at the end. Paths below it are given
// as the core writes them, with backslashes.
class TempDirectory {
  public:
    TempDirectory();
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    // The core's path of a file below the directory ("" is the directory itself).
    WideString File(std::u16string_view relative) const;
    // The core's path of a directory below it, ending with a backslash.
    WideString Directory(std::u16string_view relative = u"") const;
    // Writes a file, creating its directories.
    void Write(std::u16string_view relative, const std::string& bytes) const;
    std::string Read(std::u16string_view relative) const;
    bool Exists(std::u16string_view relative) const;
    std::filesystem::path Local(std::u16string_view relative) const;

  private:
    std::filesystem::path root_;
};

}  // namespace ombrel::testing

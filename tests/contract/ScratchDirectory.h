#pragma once

#include <filesystem>
#include <string>

namespace ombrel::contract {

// A fresh directory for one test case, removed with everything in it at the end.
class ScratchDirectory {
  public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    // The path of a file in the directory as the core names it (a Windows path under Wine, a
    // POSIX path natively, the core's backslash before the name either way).
    std::u16string CorePath(const std::string& name) const;
    std::filesystem::path Path(const std::string& name) const { return root_ / name; }

    void WriteBytes(const std::string& name, const std::string& bytes) const;
    std::string ReadBytes(const std::string& name) const;

  private:
    std::filesystem::path root_;
};

}  // namespace ombrel::contract

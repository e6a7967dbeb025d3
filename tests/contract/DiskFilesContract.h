#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/DiskFiles.h"
#include "tests/contract/PortContract.h"
#include "tests/support/TempDirectory.h"

namespace ombrel::contract {

// A file held open by a writing program, until destroyed.
class WriterHold {
  public:
    virtual ~WriterHold() = default;
};

// An implementation of the file port with what its platform's writers do: open a file for
// writing, sharing reading only (null when the system refuses that open).
struct DiskFilesTarget {
    PortFactory<platform::DiskFiles> make;
    std::function<std::unique_ptr<WriterHold>(const std::u16string& path)> holdForWriting;
};

// Every case works in a fresh scratch directory.
class DiskFilesContract : public ::testing::TestWithParam<DiskFilesTarget> {
  protected:
    void SetUp() override { files = GetParam().make(); }

    // Writes a file into the directory; returns its path as the core names it.
    std::u16string PutFile(const std::string& name, const std::string& bytes);
    std::string ReadAt(platform::DiskFiles::Handle file, std::int32_t offset, std::uint32_t count);

    std::unique_ptr<platform::DiskFiles> files;
    testing::TempDirectory scratch;
};

}  // namespace ombrel::contract

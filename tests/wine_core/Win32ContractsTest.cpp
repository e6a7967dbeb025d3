// The port contracts, run against the real Windows functions.
#include <windows.h>

#include "platform/win32/Win32DiskFiles.h"
#include "platform/win32/Win32ProfileFiles.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Threads.h"
#include "tests/contract/DiskFilesContract.h"
#include "tests/contract/ProfileFilesContract.h"
#include "tests/contract/RegistryContract.h"
#include "tests/contract/ThreadsContract.h"

namespace ombrel::contract {
namespace {

INSTANTIATE_TEST_SUITE_P(Win32, RegistryContract,
                         ::testing::Values(PortFactory<platform::Registry>([] {
                             return std::make_unique<platform::win32::Win32Registry>();
                         })));

// A Windows writer: the file open for reading and writing, sharing reading only.
class Win32WriterHold final : public WriterHold {
  public:
    explicit Win32WriterHold(HANDLE file) : file_(file) {}
    ~Win32WriterHold() override { CloseHandle(file_); }
    Win32WriterHold(const Win32WriterHold&) = delete;
    Win32WriterHold& operator=(const Win32WriterHold&) = delete;

  private:
    HANDLE file_;
};

std::unique_ptr<WriterHold> HoldForWriting(const std::u16string& path) {
    const HANDLE file =
        CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32WriterHold>(file);
}

INSTANTIATE_TEST_SUITE_P(Win32, DiskFilesContract,
                         ::testing::Values(DiskFilesTarget{
                             [] { return std::make_unique<platform::win32::Win32DiskFiles>(); },
                             HoldForWriting}));
INSTANTIATE_TEST_SUITE_P(Win32, ProfileFilesContract,
                         ::testing::Values(PortFactory<platform::ProfileFiles>([] {
                             return std::make_unique<platform::win32::Win32ProfileFiles>();
                         })));

INSTANTIATE_TEST_SUITE_P(Win32, ThreadsContract,
                         ::testing::Values(PortFactory<platform::Threads>([] {
                             return std::make_unique<platform::win32::Win32Threads>();
                         })));

}  // namespace
}  // namespace ombrel::contract

#include "tests/contract/DiskFilesContract.h"

#include <filesystem>
#include <fstream>

namespace ombrel::contract {
namespace {

using platform::DiskFiles;
using Origin = DiskFiles::Origin;

std::string Digits(std::size_t count) {
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i) bytes += static_cast<char>('0' + i % 10);
    return bytes;
}

// Closes a file handle when it goes out of scope.
class OpenFile {
  public:
    OpenFile(DiskFiles& files, const std::u16string& path)
        : files_(files), handle_(files.OpenForReading(path.c_str())) {}
    ~OpenFile() {
        if (handle_ != DiskFiles::kInvalidHandle) files_.Close(handle_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    DiskFiles::Handle Get() const { return handle_; }
    bool IsOpen() const { return handle_ != DiskFiles::kInvalidHandle; }

  private:
    DiskFiles& files_;
    DiskFiles::Handle handle_;
};

}  // namespace

std::u16string DiskFilesContract::PutFile(const std::string& name, const std::string& bytes) {
    const std::u16string relative(name.begin(), name.end());
    scratch.Write(relative, bytes);
    return scratch.File(relative).Std();
}

std::string DiskFilesContract::ReadAt(DiskFiles::Handle file, std::int32_t offset,
                                      std::uint32_t count) {
    if (files->SetPointer(file, offset, Origin::kBegin) != offset) return "(seek failed)";
    std::string bytes(count, '\0');
    std::uint32_t read = 0;
    if (!files->Read(file, bytes.data(), count, read)) return "(read failed)";
    bytes.resize(read);
    return bytes;
}

TEST_P(DiskFilesContract, ReadsThroughTheFilePointer) {
    const OpenFile file(*files, PutFile("MESSAGES.TBB", Digits(100)));
    ASSERT_TRUE(file.IsOpen());
    EXPECT_EQ(files->Size(file.Get()), 100);

    EXPECT_EQ(ReadAt(file.Get(), 0, 10), "0123456789");
    EXPECT_EQ(ReadAt(file.Get(), 52, 4), "2345");
    EXPECT_EQ(files->SetPointer(file.Get(), 0, Origin::kCurrent), 56);
    EXPECT_EQ(files->SetPointer(file.Get(), -6, Origin::kCurrent), 50);

    // At the end a read is short, and beyond it the pointer moves but nothing is read.
    EXPECT_EQ(ReadAt(file.Get(), 97, 10), "789");
    EXPECT_EQ(ReadAt(file.Get(), 200, 10), "");
    EXPECT_EQ(files->SetPointer(file.Get(), 0, Origin::kCurrent), 200);
}

TEST_P(DiskFilesContract, RefusesANegativePositionAndKeepsThePointer) {
    const OpenFile file(*files, PutFile("MESSAGES.TBI", Digits(20)));
    ASSERT_TRUE(file.IsOpen());
    ASSERT_EQ(files->SetPointer(file.Get(), 12, Origin::kBegin), 12);
    EXPECT_EQ(files->SetPointer(file.Get(), -1, Origin::kBegin), -1);
    EXPECT_EQ(files->SetPointer(file.Get(), -13, Origin::kCurrent), -1);
    EXPECT_EQ(files->SetPointer(file.Get(), 0, Origin::kCurrent), 12);
}

TEST_P(DiskFilesContract, MapsTheWholeFileForReading) {
    const std::string content = Digits(5000);
    const OpenFile file(*files, PutFile("ACCOUNT.FLB", content));
    ASSERT_TRUE(file.IsOpen());
    const DiskFiles::Handle mapping = files->CreateMapping(file.Get());
    ASSERT_NE(mapping, DiskFiles::kNoHandle);
    const void* view = files->MapView(mapping);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(std::string(static_cast<const char*>(view), content.size()), content);
    // The view and the file pointer are independent ways in.
    EXPECT_EQ(ReadAt(file.Get(), 4990, 10), content.substr(4990));
    EXPECT_TRUE(files->UnmapView(view));
    EXPECT_TRUE(files->Close(mapping));
}

TEST_P(DiskFilesContract, MapsPartsAtTheAllocationGranularity) {
    const std::uint32_t alignment = files->ViewAlignment();
    ASSERT_GE(alignment, 4096U);
    ASSERT_EQ(alignment & (alignment - 1), 0U);  // a power of two
    const std::string content = Digits(2 * alignment + 100);
    const OpenFile file(*files, PutFile("MESSAGES.TBB", content));
    ASSERT_TRUE(file.IsOpen());
    const DiskFiles::Handle mapping = files->CreateMapping(file.Get());
    ASSERT_NE(mapping, DiskFiles::kNoHandle);

    const void* last = files->MapViewPart(mapping, 2 * alignment, 100);  // up to the very end
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(std::string(static_cast<const char*>(last), 100), content.substr(2 * alignment));
    const void* middle = files->MapViewPart(mapping, alignment, alignment + 1);
    ASSERT_NE(middle, nullptr);
    EXPECT_EQ(std::string(static_cast<const char*>(middle), alignment + 1),
              content.substr(alignment, alignment + 1));
    EXPECT_TRUE(files->UnmapView(last));
    EXPECT_TRUE(files->UnmapView(middle));

    EXPECT_EQ(files->MapViewPart(mapping, alignment / 2, 10), nullptr);   // not aligned
    EXPECT_EQ(files->MapViewPart(mapping, 2 * alignment, 101), nullptr);  // beyond the mapping
    EXPECT_TRUE(files->Close(mapping));
}

TEST_P(DiskFilesContract, AnEmptyFileOpensButDoesNotMap) {
    const OpenFile file(*files, PutFile("Account.CFN", ""));
    ASSERT_TRUE(file.IsOpen());
    EXPECT_EQ(files->Size(file.Get()), 0);
    EXPECT_EQ(files->CreateMapping(file.Get()), DiskFiles::kNoHandle);
    EXPECT_EQ(ReadAt(file.Get(), 0, 4), "");
}

TEST_P(DiskFilesContract, MissingFilesAndDirectoriesDoNotOpen) {
    EXPECT_EQ(files->OpenForReading(scratch.File(u"MISSING.TBB").CStr()),
              DiskFiles::kInvalidHandle);
    std::filesystem::create_directory(scratch.Local(u"Inbox"));
    EXPECT_EQ(files->OpenForReading(scratch.File(u"Inbox").CStr()), DiskFiles::kInvalidHandle);
}

TEST_P(DiskFilesContract, NamesWithBackslashesAndCyrillicLetters) {
    const std::filesystem::path inbox =
        scratch.Local(u"") / std::filesystem::path(u"Почта") / "Inbox";
    std::filesystem::create_directories(inbox);
    std::ofstream(inbox / "MESSAGES.TBI", std::ios::binary) << "index";
    const OpenFile file(*files, scratch.Directory().Std() + u"Почта\\Inbox\\MESSAGES.TBI");
    ASSERT_TRUE(file.IsOpen());
    EXPECT_EQ(ReadAt(file.Get(), 0, 16), "index");
}

TEST_P(DiskFilesContract, ReadersShareTheFile) {
    const std::u16string path = PutFile("MESSAGES.TBB", Digits(10));
    const OpenFile first(*files, path);
    const OpenFile second(*files, path);
    ASSERT_TRUE(first.IsOpen());
    ASSERT_TRUE(second.IsOpen());
    EXPECT_EQ(ReadAt(second.Get(), 3, 2), "34");
}

TEST_P(DiskFilesContract, AWriterKeepsReadersOut) {
    const std::u16string path = PutFile("MESSAGES.TBB", Digits(10));
    {
        const auto writer = GetParam().holdForWriting(path);
        ASSERT_NE(writer, nullptr);
        const OpenFile refused(*files, path);
        EXPECT_FALSE(refused.IsOpen());
    }
    const OpenFile file(*files, path);
    EXPECT_TRUE(file.IsOpen());
}

TEST_P(DiskFilesContract, AReaderKeepsWritersOut) {
    const std::u16string path = PutFile("MESSAGES.TBB", Digits(10));
    {
        const OpenFile file(*files, path);
        ASSERT_TRUE(file.IsOpen());
        EXPECT_EQ(GetParam().holdForWriting(path), nullptr);
    }
    EXPECT_NE(GetParam().holdForWriting(path), nullptr);
}

}  // namespace ombrel::contract

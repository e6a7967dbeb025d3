// Every file of a sample store, cut at every length and with random bytes changed: the readers
// read nothing outside the files (the sanitizer build checks every byte; the files are exact-size
// allocations), and what they do read is what was written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "mailstore/AccountConfig.h"
#include "mailstore/FolderTree.h"
#include "mailstore/MessageBaseFile.h"
#include "tests/support/MemoryDiskFiles.h"
#include "tests/support/NativeTestPlatform.h"
#include "tests/support/SampleStore.h"
#include "tests/support/TempDirectory.h"

namespace ombrel {
namespace {

// What the readers make of one directory's files.
struct Reading {
    std::map<std::uint32_t, std::string> messages;  // number to text and time, for those that read
    std::multiset<std::u16string> folders;          // stored names of every folder in the tree
    std::u16string address;

    bool operator==(const Reading&) const = default;
};

void CollectFolders(const MailFolder& folder, std::multiset<std::u16string>& names) {
    for (const auto& child : folder.children) {
        names.insert(child->name.Std());
        CollectFolders(*child, names);
    }
}

class DamagedStoreTest : public testing::PluginTest {
  protected:
    DamagedStoreTest() {
        const testing::SampleStore store = testing::MakeSampleStore(1);
        testing::WriteSampleStore(store, disk.Local(u""), disk.Directory().Std());
        const std::filesystem::path root = disk.Local(u"");
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
            const std::string name = entry.path().filename().string();
            if (!entry.is_regular_file() || name == "kvrdirinfo.cookie") continue;
            std::u16string relative = std::filesystem::relative(entry.path(), root).u16string();
            std::replace(relative.begin(), relative.end(), u'/', u'\\');
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            files[disk.File(relative).Std()] = bytes.str();
            memory.Put(disk.File(relative).Std(), bytes.str());
        }
        ports.diskFiles = &memory;
    }

    // Reads the directory of `path` with the reader for that file.
    Reading Read(const std::u16string& path) {
        const std::u16string name = path.substr(path.rfind(u'\\') + 1);
        const WideString directory(path.substr(0, path.size() - name.size()));
        Reading reading;
        if (name == u"ACCOUNT.FLB" || name == u"Account.CFN") {
            const std::unique_ptr<MailAccount> account = BuildAccount(u"Sample", directory);
            CollectFolders(account->rootFolder, reading.folders);
            reading.address = account->address.Std();
            return reading;
        }
        CTheBatNBBFile base;
        if (!base.OpenBase(directory)) return reading;
        const std::uint8_t* view = base.ViewAt(0);
        for (std::uint32_t number = 0; number < base.Index().Count(); ++number) {
            const char* text = nullptr;
            std::uint32_t size = 0;
            std::int32_t time = 0;
            if (!base.ReadMessage(number, &text, &size, &time)) continue;
            const auto* start = reinterpret_cast<const std::uint8_t*>(text);
            EXPECT_TRUE(start >= view && start + size <= view + base.Size());
            reading.messages[number] = std::string(text, size) + "@" + std::to_string(time);
        }
        return reading;
    }

    testing::TempDirectory disk;
    std::map<std::u16string, std::string> files;
    testing::MemoryDiskFiles memory;
    platform::Ports ports = platform::CurrentPorts();
    platform::ScopedPorts scoped{ports};
};

// Whether everything `part` read is also in `whole`, and read alike.
bool ReadsPartOf(const Reading& part, const Reading& whole) {
    for (const auto& [number, text] : part.messages) {
        const auto found = whole.messages.find(number);
        if (found == whole.messages.end() || found->second != text) return false;
    }
    for (const std::u16string& folder : part.folders) {
        if (!folder.empty() && whole.folders.count(folder) == 0) return false;
    }
    return part.folders.size() <= whole.folders.size() &&
           (part.address.empty() || part.address == whole.address);
}

TEST_F(DamagedStoreTest, EveryFileCutAtEveryLengthReadsAPartOfTheWhole) {
    ASSERT_GT(files.size(), 40U);
    std::size_t cuts = 0;
    for (const auto& [path, bytes] : files) {
        const Reading whole = Read(path);
        std::size_t previous = 0;  // messages read at the previous length
        for (std::size_t length = 0; length < bytes.size(); ++length, ++cuts) {
            memory.Put(path, bytes.substr(0, length));
            const Reading cut = Read(path);
            ASSERT_TRUE(ReadsPartOf(cut, whole)) << length;
            // A message reads once its file holds all of it: a longer cut never reads fewer.
            ASSERT_GE(cut.messages.size(), previous) << length;
            previous = cut.messages.size();
        }
        memory.Put(path, bytes);
        EXPECT_EQ(Read(path), whole);
        EXPECT_EQ(memory.OpenCount(), 0U);
    }
    EXPECT_GT(cuts, 20000U);
}

TEST_F(DamagedStoreTest, RandomlyChangedBytesReadNothingOutsideTheFiles) {
    std::mt19937 random(20051115);
    for (const auto& [path, bytes] : files) {
        for (int round = 0; round < 300; ++round) {
            std::string damaged = bytes;
            const int flips = 1 + static_cast<int>(random() % 6);
            for (int i = 0; i < flips; ++i) {
                damaged[random() % damaged.size()] ^= static_cast<char>(1 + random() % 255);
            }
            memory.Put(path, damaged);
            Read(path);  // checks the text pointers itself
        }
        memory.Put(path, bytes);
        EXPECT_EQ(memory.OpenCount(), 0U);
    }
}

}  // namespace
}  // namespace ombrel

#include "tests/support/StoreListing.h"

#include <cstdint>

#include "mailstore/FolderPath.h"
#include "mailstore/FolderState.h"
#include "mailstore/MessageBaseFile.h"

namespace ombrel::testing {
namespace {

std::string Utf8(std::u16string_view text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < text.size()) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        if (cp < 0x80) {
            bytes += static_cast<char>(cp);
        } else if (cp < 0x800) {
            bytes += static_cast<char>(0xC0 | (cp >> 6));
            bytes += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            bytes += static_cast<char>(0xE0 | (cp >> 12));
            bytes += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            bytes += static_cast<char>(0xF0 | (cp >> 18));
            bytes += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            bytes += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return bytes;
}

// FNV-1a over the messages as they read.
class Digest {
  public:
    void Add(std::string_view text, std::int32_t time, std::uint32_t status) {
        for (const char c : text) Mix(static_cast<unsigned char>(c));
        for (int shift = 0; shift < 32; shift += 8) {
            Mix((static_cast<std::uint32_t>(time) >> shift) & 0xFF);
            Mix((status >> shift) & 0xFF);
        }
        ++read_;
    }
    std::string Text(std::size_t count) const {
        return " messages=" + std::to_string(count) + " read=" + std::to_string(read_) +
               " digest=" + std::to_string(hash_);
    }

  private:
    void Mix(std::uint32_t byte) { hash_ = (hash_ ^ byte) * 0x100000001B3ULL; }
    std::uint64_t hash_ = 0xCBF29CE484222325ULL;
    std::size_t read_ = 0;
};

std::string Flag(bool value) {
    return value ? "1" : "0";
}

void ExpectFolders(const std::vector<SampleFolder>& folders, const std::u16string& path,
                   const std::u16string& directory, std::vector<std::string>& lines) {
    for (const SampleFolder& folder : folders) {
        const std::u16string childPath = path + u"\\" + folder.displayName;
        std::u16string childDirectory = folder.ownDirectory.empty()
                                            ? directory + WidenLatin1(folder.storedName)
                                            : folder.ownDirectory;
        childDirectory += u"\\";
        Digest digest;
        for (const StoredMessage& message : folder.messages) {
            digest.Add(message.text, message.time, message.status);
        }
        lines.push_back("folder " + Utf8(childPath) + " dir=" + Utf8(childDirectory) +
                        " own=" + Flag(!folder.ownDirectory.empty()) +
                        " enabled=" + Flag(folder.enabled) + digest.Text(folder.messages.size()));
        ExpectFolders(folder.children, childPath, childDirectory, lines);
    }
}

void ListFolders(const MailAccount& account, const MailFolder& parent,
                 const std::u16string& hostRoot, std::vector<std::string>& lines) {
    for (const auto& folder : parent.children) {
        CTheBatNBBFile base;
        Digest digest;
        std::size_t count = 0;
        if (base.OpenBase(folder->directory)) {
            count = base.Index().Count();
            for (std::uint32_t number = 0; number < count; ++number) {
                const char* text = nullptr;
                std::uint32_t size = 0;
                std::int32_t time = 0;
                if (base.ReadMessage(number, &text, &size, &time)) {
                    digest.Add({text, size}, time, base.Index().Entry(number).status);
                }
            }
        }
        std::u16string directory = folder->directory.Std();
        if (directory.starts_with(hostRoot)) directory.erase(0, hostRoot.size());
        lines.push_back("folder " + Utf8(FolderPath(account, *folder).View()) +
                        " dir=" + Utf8(directory) + " own=" + Flag(folder->hasOwnDirectory) +
                        " enabled=" + Flag(ReadEnabled(*folder)) + digest.Text(count));
        ListFolders(account, *folder, hostRoot, lines);
    }
}

}  // namespace

std::vector<std::string> ExpectedListing(const SampleStore& store) {
    std::vector<std::string> lines;
    for (const SampleAccount& account : store.accounts) {
        lines.push_back("account " + Utf8(account.user) + " dir=" + Utf8(account.directory) +
                        " address=" + account.address + " enabled=" + Flag(account.enabled));
        ExpectFolders(account.folders, account.user, account.directory, lines);
    }
    return lines;
}

std::vector<std::string> LoadedListing(const AccountList& accounts,
                                       const std::u16string& hostRoot) {
    std::vector<std::string> lines;
    for (const auto& account : accounts) {
        std::u16string directory = account->directory.Std();
        if (directory.starts_with(hostRoot)) directory.erase(0, hostRoot.size());
        lines.push_back("account " + Utf8(account->name.View()) + " dir=" + Utf8(directory) +
                        " address=" + Utf8(account->address.View()) +
                        " enabled=" + Flag(account->enabled));
        ListFolders(*account, account->rootFolder, hostRoot, lines);
    }
    return lines;
}

}  // namespace ombrel::testing

#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "common/SystemTime.h"
#include "tests/support/MailboxWriters.h"

// A whole sample working directory of the host: several accounts with nested folders full of
// real-looking mail, their settings, folder lists and a few state files, and the registry entries
// the host keeps for them. Deterministic: the same arguments give the same bytes.
namespace ombrel::testing {

struct SampleFolder {
    std::string storedName;      // as the folder record holds it (ANSI)
    std::u16string displayName;  // what the library shows for it
    // The folder record names a directory of its own (below the root, backslashes); empty for a
    // folder that lives in a subdirectory named after it.
    std::u16string ownDirectory;
    bool enabled = false;  // its state file says "Enabled=1"
    std::vector<StoredMessage> messages;
    std::vector<SampleFolder> children;
    SystemTime monitor;  // when not none, its state file holds it as "Monitor"
};

struct SampleAccount {
    std::u16string user;          // empty for the working directory's own account
    std::u16string directory;     // below the root, backslashes, trailing backslash
    bool directoryValue = false;  // the registry names the directory ("Dir #n")
    std::string address;
    bool enabled = false;
    std::vector<SampleFolder> folders;
};

struct SampleStore {
    std::vector<SampleAccount> accounts;  // in registry order, the working directory's last
    std::uint32_t registrySlots = 0;      // "Count": one slot more than accounts with a user
};

// The sample's ANSI names (Latin-1 letters only) as UTF-16.
std::u16string WidenLatin1(const std::string& text);

// The sample store with about `messagesPerFolder` messages in each folder.
SampleStore MakeSampleStore(int messagesPerFolder);

// Writes the store's files below `localRoot`. Paths inside the files name the same directory as
// the host sees it, `hostRoot` (ending with a backslash).
void WriteSampleStore(const SampleStore& store, const std::filesystem::path& localRoot,
                      const std::u16string& hostRoot);

// One registry value below HKEY_CURRENT_USER: a string, or a 32-bit number when `isNumber`.
struct RegistryEntry {
    std::u16string key;
    std::u16string name;
    std::u16string text;
    std::uint32_t number = 0;
    bool isNumber = false;
};

// The host's registry values for the store: its version, working directory and users depot.
std::vector<RegistryEntry> SampleRegistry(const SampleStore& store, const std::u16string& hostRoot);

// The entries as a REGEDIT5 ".reg" file: UTF-16LE with its byte-order mark.
std::string RegFileBytes(const std::vector<RegistryEntry>& entries);

}  // namespace ombrel::testing

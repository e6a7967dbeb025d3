#include "cli/StoreAccounts.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "cli/UnreadableFiles.h"
#include "host/PluginState.h"
#include "mailstore/Accounts.h"
#include "mailstore/FolderTree.h"
#include "platform/posix/PosixPaths.h"
#include "platform/posix/RegFile.h"

namespace ombrel::cli {
namespace {

constexpr const char* kFolderList = "ACCOUNT.FLB";

// The accounts that the host's registry names, as the library loads them.
AccountList RegistryAccounts(platform::posix::PosixPlatform& posix,
                             const std::u16string& dataDirectory, const std::string& regFile) {
    std::ifstream file(regFile, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (!file.good() && !file.eof()) throw std::runtime_error(regFile + ": cannot be read");
    if (!platform::posix::LoadRegFile(posix.registry, bytes, posix.codePages).recognised) {
        throw std::runtime_error(regFile + ": not a registry export file");
    }
    PluginState& state = State();
    state.accounts = std::make_unique<AccountList>();
    state.dataDirectory = WideString(dataDirectory);
    LoadAccounts();
    AccountList accounts = std::move(*state.accounts);
    state.accounts.reset();
    if (accounts.empty()) {
        throw std::runtime_error(regFile + ": names no accounts of the host (\"Users Depot\")");
    }
    return accounts;
}

namespace fs = std::filesystem;

// True when the entry of the working directory is an account's folder (one with a folder list)
// that can be read; an entry that cannot be told is added to `unread`.
bool IsAccountFolder(const fs::directory_entry& entry, std::vector<UnreadPart>& unread) {
    const std::string path = PrintablePath(entry.path().string());
    std::error_code error;
    const bool directory = entry.is_directory(error);
    if (directory && !IsUtf8(entry.path().filename().string())) {
        unread.push_back({path, "the name is not UTF-8"});
        return false;
    }
    const bool listed = directory && fs::exists(entry.path() / kFolderList, error);
    if (error) unread.push_back({path, error.message()});
    return listed && !error;
}

// Every folder of the working directory with a folder list, then the directory's own account.
AccountList DirectoryAccounts(const std::u16string& dataDirectory,
                              std::vector<UnreadPart>& unread) {
    const fs::path root(platform::posix::PosixPath(dataDirectory));
    std::vector<fs::path> folders;
    std::error_code error;
    for (fs::directory_iterator entries(root, error), end; !error && entries != end;
         entries.increment(error)) {
        if (IsAccountFolder(*entries, unread)) {
            folders.push_back(entries->path().filename());
        }
    }
    if (error) unread.push_back({PrintablePath(root.string()), error.message()});
    std::ranges::sort(folders);
    AccountList accounts;
    for (const fs::path& folder : folders) {
        const std::u16string name = folder.u16string();
        accounts.push_back(
            BuildAccount(WideString(name), WideString(dataDirectory + name + u"\\")));
    }
    if (fs::exists(root / kFolderList, error)) {
        accounts.push_back(BuildAccount(WideString(), WideString(dataDirectory)));
    }
    return accounts;
}

}  // namespace

AccountList StoreAccounts(platform::posix::PosixPlatform& posix,
                          const std::u16string& dataDirectory, const std::string& regFile,
                          std::vector<UnreadPart>& unread) {
    return regFile.empty() ? DirectoryAccounts(dataDirectory, unread)
                           : RegistryAccounts(posix, dataDirectory, regFile);
}

}  // namespace ombrel::cli

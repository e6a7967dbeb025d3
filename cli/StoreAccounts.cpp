#include "cli/StoreAccounts.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

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

// Every folder of the working directory with a folder list, then the directory's own account.
AccountList DirectoryAccounts(const std::u16string& dataDirectory) {
    const std::filesystem::path root(platform::posix::PosixPath(dataDirectory));
    std::vector<std::filesystem::path> folders;
    for (const auto& entry : std::filesystem::directory_iterator(root)) {
        if (entry.is_directory() && std::filesystem::exists(entry.path() / kFolderList)) {
            folders.push_back(entry.path().filename());
        }
    }
    std::ranges::sort(folders);
    AccountList accounts;
    for (const std::filesystem::path& folder : folders) {
        const std::u16string name = folder.u16string();
        accounts.push_back(
            BuildAccount(WideString(name), WideString(dataDirectory + name + u"\\")));
    }
    if (std::filesystem::exists(root / kFolderList)) {
        std::unique_ptr<MailAccount> common = BuildAccount(WideString(), WideString(dataDirectory));
        if (!common->rootFolder.children.empty()) accounts.push_back(std::move(common));
    }
    return accounts;
}

}  // namespace

AccountList StoreAccounts(platform::posix::PosixPlatform& posix,
                          const std::u16string& dataDirectory, const std::string& regFile) {
    return regFile.empty() ? DirectoryAccounts(dataDirectory)
                           : RegistryAccounts(posix, dataDirectory, regFile);
}

}  // namespace ombrel::cli

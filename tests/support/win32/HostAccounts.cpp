#include "tests/support/win32/HostAccounts.h"

#include <windows.h>

#include <fstream>

#include "tests/support/MailboxWriters.h"
#include "tests/support/win32/HostRegistry.h"

namespace ombrel::standin {
namespace {

std::wstring Wide(const std::string& ascii) {
    return {ascii.begin(), ascii.end()};
}

void WriteFile(const std::wstring& path, const std::string& bytes) {
    std::ofstream(path.c_str(), std::ios::binary | std::ios::trunc) << bytes;
}

// The folder list of the root with its top-level folders, each in a directory of its name.
void WriteFolders(const std::wstring& directory, const std::vector<std::string>& names) {
    std::vector<testing::FolderRecord> records = {testing::Folder(0, "")};
    std::vector<std::uint32_t> children;
    for (const std::string& name : names) {
        children.push_back(static_cast<std::uint32_t>(records.size() + 1));
        records.push_back(testing::Folder(children.back(), name));
        CreateDirectoryW((directory + Wide(name)).c_str(), nullptr);
    }
    records[0] = testing::Folder(static_cast<std::uint32_t>(records.size() + 1), "",
                                 testing::ChildIds(children));
    WriteFile(directory + L"ACCOUNT.FLB", testing::WriteFolderList(records).bytes);
}

}  // namespace

void InstallHostAccounts(const std::wstring& workingDirectory,
                         const std::vector<HostAccount>& accounts) {
    DeleteTree(HKEY_CURRENT_USER, kUsersDepot);
    PutDword(HKEY_CURRENT_USER, kUsersDepot, L"Count", static_cast<DWORD>(accounts.size()));
    for (std::size_t i = 0; i < accounts.size(); ++i) {
        const HostAccount& account = accounts[i];
        PutString(HKEY_CURRENT_USER, kUsersDepot, (L"User #" + std::to_wstring(i + 1)).c_str(),
                  Wide(account.user));
        const std::wstring directory = workingDirectory + Wide(account.user) + L"\\";
        CreateDirectoryW(directory.c_str(), nullptr);
        WriteFile(
            directory + L"Account.CFN",
            testing::WriteAccountConfig({{testing::kAccountAddressProperty, account.address}}));
        std::vector<std::string> folders = {"Sent"};
        if (!account.inboxName.empty()) folders.push_back(account.inboxName);
        WriteFolders(directory, folders);
        WriteFile(directory + L"kvrdirinfo.cookie",
                  std::string("[KVR Directory Information]\r\nEnabled=") +
                      (account.enabled ? "1" : "0") + "\r\n");
    }
}

}  // namespace ombrel::standin

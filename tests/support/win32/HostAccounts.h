#pragma once

#include <string>
#include <vector>

namespace ombrel::standin {

// A mail account of the host: its user name (ASCII), address, "Enabled" key and the stored name
// of its Inbox ("" for none); it also has a "Sent" folder.
struct HostAccount {
    std::string user;
    std::string address;
    bool enabled = true;
    std::string inboxName = "Inbox";
};

// Gives the host exactly these accounts, in this order: their directories below the working
// directory (which ends with a backslash) with settings, folder list, folder directories and state
// file, and the users depot in the registry.
void InstallHostAccounts(const std::wstring& workingDirectory,
                         const std::vector<HostAccount>& accounts);

// The host's users depot, where its accounts are listed.
inline constexpr const wchar_t* kUsersDepot = L"Software\\RIT\\The Bat!\\Users Depot";

}  // namespace ombrel::standin

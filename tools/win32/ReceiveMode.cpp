#include "tools/win32/ReceiveMode.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "tests/support/EventLines.h"
#include "tests/support/JsonText.h"
#include "tests/support/win32/HostAccounts.h"
#include "tests/support/win32/HostMessage.h"
#include "tests/support/win32/HostRegistry.h"

namespace ombrel::standin {
namespace {

using ombrel::testing::Json;

std::u16string Utf16(const std::wstring& text) {
    return {text.begin(), text.end()};
}

void InstallAccountUnlessPresent() {
    if (HasKey(HKEY_CURRENT_USER, kUsersDepot)) return;
    const std::wstring stored =
        GetString(HKEY_CURRENT_USER, kHostKey, L"Working Directory").value_or(L"");
    wchar_t expanded[MAX_PATH] = {};
    ExpandEnvironmentStringsW(stored.c_str(), expanded, MAX_PATH);
    std::wstring directory = expanded;
    if (directory.empty()) return;
    if (directory.back() != L'\\') directory += L'\\';
    InstallHostAccounts(directory, {{"Anna", "anna@example.net"}});
}

std::vector<std::wstring> MessageFiles(const std::wstring& directory) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((directory + L"\\*.eml").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        names.emplace_back(found.cFileName);
    } while (FindNextFileW(search, &found) != FALSE);
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadFile(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace

int ReceiveMessageFiles(PluginLibrary& library, const IndexerJournal& journal,
                        const std::wstring& directory) {
    InstallAccountUnlessPresent();
    const std::uint8_t options[12] = {0x0D, 0xF0, 0xAD, 0xBA, 1, 0, 0, 0, 0, 0, 12, 0};
    library.SetConfigData(options, sizeof options);
    library.Initialize();
    std::printf("{\"library\":{\"status\":%d}}\n", library.GetStatus());

    bool everyMessageIndexed = true;
    for (const std::wstring& name : MessageFiles(directory)) {
        std::wstring path = directory;
        path += L'\\';
        path += name;
        HostMessage message(ReadFile(path));
        const std::size_t before = journal.Events().size();
        const std::int32_t result = library.GetSpamScore(&message, &HostMessageCallback);
        const std::vector<ReceivedEvent> events = journal.Events();
        std::printf("{\"message\":{\"file\":%s,\"bytes\":%zu,\"spamScore\":%d,\"events\":%zu}}\n",
                    Json(Utf16(name)).c_str(), message.text.size(), result, events.size() - before);
        for (std::size_t i = before; i < events.size(); ++i) PrintEvent(Utf16(name), events[i]);
        everyMessageIndexed = everyMessageIndexed && events.size() == before + 1;
    }
    library.Finalize();
    std::printf("{\"indexer\":{\"liveObjectsAfterFinalize\":%d}}\n", journal.LiveObjects());
    return everyMessageIndexed && journal.LiveObjects() == 0 ? 0 : 1;
}

}  // namespace ombrel::standin

#include "tests/support/SampleStore.h"

#include <cstdio>
#include <fstream>

#include "common/Base64.h"
#include "tests/support/SampleMail.h"

namespace ombrel::testing {
namespace {

constexpr std::int64_t kFirstTime = 1136073600;  // 2006-01-01 00:00:00 UTC

// The folder's mail: every kind in turn, times mostly rising, some messages marked as not to be
// indexed (every seventh) or flagged (every fifth).
std::vector<StoredMessage> Mail(int count, int& serial, const std::string& owner) {
    std::vector<StoredMessage> messages;
    for (int i = 0; i < count; ++i, ++serial) {
        const auto kind =
            static_cast<SampleMailKind>(serial % static_cast<int>(SampleMailKind::kCount));
        // Every eleventh message arrived late: its time lies before the previous one's.
        const std::int64_t time = kFirstTime + serial * 86311LL - (serial % 11 == 0 ? 200000 : 0);
        StoredMessage message;
        message.text = SampleMail(kind, serial, time, "anna.berg@example.org", owner);
        message.time = static_cast<std::int32_t>(time);
        message.status = (serial % 7 == 3 ? 0x1U : 0U) | (serial % 5 == 2 ? 0x2U : 0U);
        messages.push_back(std::move(message));
    }
    return messages;
}

struct StoreBuilder {
    int perFolder;
    int serial = 0;
    std::string owner;

    SampleFolder Make(const std::string& name, const std::u16string& shown,
                      std::vector<SampleFolder> children = {}, int extra = 0) {
        SampleFolder folder;
        folder.storedName = name;
        folder.displayName = shown;
        folder.messages = Mail(perFolder + extra, serial, owner);
        folder.children = std::move(children);
        return folder;
    }
};

SampleAccount Main(StoreBuilder& b) {
    b.owner = "Main Account <main@example.org>";
    SampleFolder inbox = b.Make(
        "Inbox", u"Inbox", {b.Make("Lists", u"Lists", {}, 3), b.Make("Receipts", u"Receipts")}, 5);
    inbox.enabled = true;
    return {u"Main",
            u"Main\\",
            false,
            "main@example.org",
            true,
            {std::move(inbox), b.Make("Outbox", u"Outbox", {}, -b.perFolder),
             b.Make("Sent", u"Sent Mail"), b.Make("Trash", u"Trash"),
             b.Make("$KNOWN$", u"Inbox - Known"), b.Make("$JUNK$", u"Junk mail")}};
}

SampleAccount Work(StoreBuilder& b) {
    b.owner = "Work <work@example.com>";
    SampleFolder alpha = b.Make("Alpha", u"Alpha");
    alpha.ownDirectory = u"Archive\\Alpha";
    SampleFolder sent = b.Make("sent", u"Sent Mail");
    sent.enabled = true;
    return {u"Work",
            u"Mail\\Work\\",
            true,
            "work@example.com",
            false,
            {b.Make("Inbox", u"Inbox"), std::move(sent),
             b.Make("Projects", u"Projects",
                    {std::move(alpha), b.Make("Beta", u"Beta", {b.Make("Gamma", u"Gamma")})}),
             b.Make("$QRNTN$", u"Quarantine")}};
}

SampleAccount Ivan(StoreBuilder& b) {
    b.owner = "=?koi8-r?B?6dfBzg==?= <ivan@example.ru>";
    return {u"Иван",
            u"Иван\\",
            false,
            "ivan@example.ru",
            false,
            {b.Make("Inbox", u"Inbox", {}, 4), b.Make("Sent Items", u"Sent Items"),
             b.Make("Archiv K\xf6ln", u"Archiv Köln")}};
}

SampleAccount Common(StoreBuilder& b) {
    b.owner = "Everyone <all@example.org>";
    return {u"",
            u"",
            false,
            "",
            true,
            {b.Make("$CHAT$", u"Chats"), b.Make("$NAME$", u"Names"), b.Make("Shared", u"Shared")}};
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::filesystem::path Local(const std::filesystem::path& root, std::u16string relative) {
    for (char16_t& unit : relative) {
        if (unit == u'\\') unit = u'/';
    }
    return root / std::filesystem::path(relative);
}

std::string Narrow(const std::u16string& text) {
    std::string bytes;
    for (const char16_t unit : text) bytes += static_cast<char>(unit);  // ASCII and Latin-1 only
    return bytes;
}

// The "Monitor" value: base64 of the marker, the time's eight fields and the marker again.
std::string MonitorValue(const SystemTime& time) {
    Bytes record;
    AppendU32(record, 0xBAADF00D);
    for (const std::uint16_t field : {time.year, time.month, time.dayOfWeek, time.day, time.hour,
                                      time.minute, time.second, time.milliseconds}) {
        record += static_cast<char>(field & 0xFF);
        record += static_cast<char>(field >> 8);
    }
    AppendU32(record, 0xBAADF00D);
    return EncodeBase64(record);
}

void WriteState(const std::filesystem::path& directory, bool enabled,
                const SystemTime& monitor = {}) {
    std::string lines;
    if (enabled) lines += "Enabled=1\r\n";
    if (!monitor.IsNone()) lines += "Monitor=" + MonitorValue(monitor) + "\r\n";
    if (!lines.empty()) {
        WriteFile(directory / "kvrdirinfo.cookie", "[KVR Directory Information]\r\n" + lines);
    }
}

// Writes the folders' files and adds their records to the folder list; returns the children
// text of the parent.
std::string WriteFolders(const std::vector<SampleFolder>& folders,
                         const std::filesystem::path& localRoot, const std::u16string& hostRoot,
                         const std::u16string& parentDirectory,
                         std::vector<FolderRecord>& records) {
    std::vector<std::uint32_t> ids;
    for (const SampleFolder& folder : folders) {
        const auto id = static_cast<std::uint32_t>(records.size() + 1);
        ids.push_back(id);
        records.push_back({});
        const std::u16string directory =
            folder.ownDirectory.empty() ? parentDirectory + WidenLatin1(folder.storedName) + u"\\"
                                        : folder.ownDirectory + u"\\";
        const std::filesystem::path local = Local(localRoot, directory);
        const MessageBaseFiles base = WriteMessageBase(folder.messages);
        WriteFile(local / "MESSAGES.TBB", base.base);
        WriteFile(local / "MESSAGES.TBI", base.index);
        WriteState(local, folder.enabled, folder.monitor);
        const std::string children =
            WriteFolders(folder.children, localRoot, hostRoot, directory, records);
        records[id - 1] =
            Folder(id, folder.storedName, children,
                   folder.ownDirectory.empty() ? "" : Narrow(hostRoot + folder.ownDirectory));
    }
    return ChildIds(ids);
}

std::string Utf16Le(const std::u16string& text) {
    std::string bytes;
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::string Utf16Le(const std::string& ascii) {
    return Utf16Le(WidenLatin1(ascii));
}

// A quoted string of a ".reg" file, with backslashes and quotes escaped.
std::string RegString(const std::u16string& text) {
    std::u16string quoted = u"\"";
    for (const char16_t unit : text) {
        if (unit == u'\\' || unit == u'"') quoted += u'\\';
        quoted += unit;
    }
    return Utf16Le(quoted + u"\"");
}

}  // namespace

std::u16string WidenLatin1(const std::string& text) {
    std::u16string wide;
    for (const unsigned char byte : text) wide += static_cast<char16_t>(byte);
    return wide;
}

SampleStore MakeSampleStore(int messagesPerFolder) {
    StoreBuilder builder{messagesPerFolder, 0, {}};
    SampleStore store;
    store.accounts = {Main(builder), Work(builder), Ivan(builder), Common(builder)};
    store.registrySlots = 4;  // slot 2 holds no user
    return store;
}

void WriteSampleStore(const SampleStore& store, const std::filesystem::path& localRoot,
                      const std::u16string& hostRoot) {
    for (const SampleAccount& account : store.accounts) {
        const std::filesystem::path local = Local(localRoot, account.directory);
        std::filesystem::create_directories(local);
        WriteFile(local / "Account.CFN",
                  WriteAccountConfig({{kAccountSecondProperty, "pop3://mail.example.org:110"},
                                      {kAccountAddressProperty, account.address}}));
        std::vector<FolderRecord> records = {Folder(0, "")};  // the root, completed below
        const std::string children =
            WriteFolders(account.folders, localRoot, hostRoot, account.directory, records);
        records[0] = Folder(static_cast<std::uint32_t>(records.size() + 1), "", children);
        // A deleted folder, as the host leaves them behind.
        FolderRecord deleted = Folder(records[0].id + 1, "Old stuff");
        deleted.freeMarker = 1;
        records.push_back(deleted);
        WriteFile(local / "ACCOUNT.FLB", WriteFolderList(records).bytes);
        WriteState(local, account.enabled && !account.user.empty());
    }
}

std::vector<RegistryEntry> SampleRegistry(const SampleStore& store,
                                          const std::u16string& hostRoot) {
    const std::u16string host = u"Software\\RIT\\The Bat!";
    const std::u16string depot = host + u"\\Users Depot";
    std::vector<RegistryEntry> entries = {
        {host, u"Version", u"4.2.36.4"},
        {host, u"Working Directory", hostRoot},
        {depot, u"Count", u"", store.registrySlots, true},
    };
    std::uint32_t slot = 1;
    for (const SampleAccount& account : store.accounts) {
        if (account.user.empty()) continue;
        if (slot == 2) ++slot;  // an unused slot
        const std::u16string n = WidenLatin1(std::to_string(slot++));
        entries.push_back({depot, u"User #" + n, account.user});
        // The host stores the directory without its trailing backslash.
        const std::u16string directory =
            hostRoot + account.directory.substr(0, account.directory.size() - 1);
        entries.push_back({depot, u"Dir #" + n, account.directoryValue ? directory : u""});
    }
    return entries;
}

std::string RegFileBytes(const std::vector<RegistryEntry>& entries) {
    std::string bytes = "\xff\xfe" + Utf16Le("Windows Registry Editor Version 5.00\r\n");
    std::u16string key;
    for (const RegistryEntry& entry : entries) {
        if (entry.key != key) {
            key = entry.key;
            bytes += Utf16Le(u"\r\n[HKEY_CURRENT_USER\\" + key + u"]\r\n");
        }
        bytes += RegString(entry.name) + Utf16Le("=");
        if (entry.isNumber) {
            char number[16];
            std::snprintf(number, sizeof number, "dword:%08x", entry.number);
            bytes += Utf16Le(number);
        } else {
            bytes += RegString(entry.text);
        }
        bytes += Utf16Le("\r\n");
    }
    return bytes;
}

}  // namespace ombrel::testing

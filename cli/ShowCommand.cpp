#include <cstdio>
#include <optional>
#include <stdexcept>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/DatabaseLocation.h"
#include "cli/MailIndex.h"
#include "cli/MessageText.h"
#include "cli/StoreFiles.h"
#include "cli/TerminalText.h"
#include "mailstore/MessageBaseFile.h"
#include "mime/TransferDecoding.h"
#include "platform/posix/AbsentIndexer.h"
#include "platform/posix/PosixPlatform.h"
#include "platform/posix/Utf8Conversion.h"

namespace ombrel::cli {
namespace {

using platform::posix::Utf8ToWide;
using platform::posix::WideToUtf8;

// What the index holds of a message, and where its folder's base keeps it.
struct IndexedMessage {
    std::string directory;  // the folder's, as the index run knew it; empty when imported
    std::int64_t position = 0;
    std::int64_t storedSize = 0;
    std::string received;
    std::string folderPath;
    std::string from;
    std::string to;
    std::string cc;
    std::string subject;
    std::string messageId;
    std::string body;
    std::string attachments;
};

IndexedMessage ReadIndexed(MailIndex& index, std::int64_t id) {
    Statement row(index.Database(), R"sql(
        SELECT f.directory, m.position, m.stored_size, m.received, m.folder_path, m.sender,
               m.recipients, m.cc, m.subject, m.message_id, m.body, m.attachments
        FROM messages AS m LEFT JOIN folders AS f ON f.id = m.folder_id WHERE m.id = ?1)sql");
    row.Bind(1, id);
    if (!row.Step()) throw std::runtime_error("no message has the id " + std::to_string(id));
    return {row.Text(0), row.Integer(1), row.Integer(2), row.Text(3), row.Text(4),  row.Text(5),
            row.Text(6), row.Text(7),    row.Text(8),    row.Text(9), row.Text(10), row.Text(11)};
}

std::int64_t MessageNumber(const std::string& text) {
    char* end = nullptr;
    const long long id = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || id < 1)
        throw UsageError("show takes a message ID, not " + text);
    return id;
}

// The parts that have a name or are not text: the attachments, numbered from 1 in this order.
void NamedParts(const ParsedMessage& part, std::vector<const ParsedMessage*>& parts) {
    const ContentInfo& content = part.content;
    if (!content.filename.IsEmpty() || !content.contentLocation.IsEmpty() ||
        !content.contentId.IsEmpty() || part.kind == PartKind::Binary ||
        part.kind == PartKind::Attachment) {
        parts.push_back(&part);
    }
    for (const auto& child : part.children) NamedParts(*child, parts);
}

std::string PartName(const ParsedMessage& part) {
    const ContentInfo& content = part.content;
    const WideString& name = !content.filename.IsEmpty()          ? content.filename
                             : !content.contentLocation.IsEmpty() ? content.contentLocation
                                                                  : content.contentId;
    return WideToUtf8(name.View()) + " (" + WideToUtf8(content.type.View()) + "/" +
           WideToUtf8(content.subtype.View()) + ")";
}

// The part's body after its transfer encoding is undone.
std::string DecodedBytes(const ContentInfo& content) {
    const std::string_view body = content.Body();
    std::string bytes(body.size(), '\0');
    std::size_t length = body.size();
    const std::string encoding = WideToUtf8(content.transferEncoding.View());
    const auto is = [&](std::string_view name) {
        return encoding.size() == name.size() &&
               std::equal(encoding.begin(), encoding.end(), name.begin(),
                          [](char a, char b) { return (a | 0x20) == (b | 0x20); });
    };
    if (is("base64")) {
        decodeBase64(body.data(), body.size(), bytes.data(), &length);
        length = std::min(length, body.size());
    } else if (is("quoted-printable")) {
        decodeQuotedPrintable(body.data(), body.size(), bytes.data(), &length);
    } else {
        body.copy(bytes.data(), body.size());
    }
    bytes.resize(length);
    return bytes;
}

void PrintField(const char* name, const std::string& value) {
    if (!value.empty()) std::printf("%s: %s\n", name, TerminalText(value).c_str());
}

void PrintText(const std::string& text) {
    std::string line;
    for (std::size_t at = 0; at <= text.size(); ++at) {
        if (at == text.size() || text[at] == '\n') {
            if (line.ends_with('\r')) line.pop_back();
            std::printf("%s\n", TerminalText(line).c_str());
            line.clear();
        } else {
            line += text[at];
        }
    }
}

// The folder's directory as the core opens it: below the store's, unless the index run found it
// elsewhere.
std::u16string FolderDirectory(MailIndex& index, const std::string& directory) {
    const bool elsewhere = directory.starts_with('\\') || directory.starts_with('/') ||
                           (directory.size() > 1 && directory[1] == ':');
    if (elsewhere) return Utf8ToWide(directory);
    const std::string store = index.Setting("data_directory");
    if (store.empty()) {
        throw std::runtime_error("the index does not say which store it read: run ombrel index");
    }
    return Utf8ToWide(store + directory);
}

int ShowStored(const CommandLine& line, MailIndex& index, const IndexedMessage& indexed) {
    DriveMap drives;
    for (const std::string& mapping : line.All("--map-drive")) {
        if (!drives.Add(mapping)) throw UsageError("--map-drive takes X:=/path, not " + mapping);
    }
    platform::posix::PosixPlatform posix;
    StoreDiskFiles files(posix.diskFiles, drives);
    platform::posix::AbsentIndexer noIndexer;
    platform::Ports ports = posix.MakePorts(&noIndexer);
    ports.diskFiles = &files;
    const platform::ScopedPorts scoped(ports);

    CTheBatNBBFile base;
    const char* text = nullptr;
    std::uint32_t size = 0;
    if (!base.OpenBase(WideString(FolderDirectory(index, indexed.directory))) ||
        !base.ReadMessage(static_cast<std::uint32_t>(indexed.position), &text, &size) ||
        size != indexed.storedSize) {
        throw std::runtime_error("the message is no longer where it was indexed (" +
                                 indexed.directory + " #" + std::to_string(indexed.position) +
                                 "): run ombrel index");
    }
    if (line.Has("--raw")) {
        std::fwrite(text, 1, size, stdout);
        return 0;
    }
    ParsedMessage message;
    message.parse(text, size);
    std::vector<const ParsedMessage*> parts;
    NamedParts(message, parts);
    const std::string part = line.Value("--part");
    if (!part.empty()) {
        const std::int64_t number = MessageNumber(part);
        if (number > static_cast<std::int64_t>(parts.size())) {
            throw UsageError("the message has " + std::to_string(parts.size()) + " attachments");
        }
        const std::string bytes = DecodedBytes(parts[number - 1]->content);
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
        return 0;
    }
    PrintField("Date", indexed.received);
    PrintField("Folder", indexed.folderPath);
    PrintField("From", WideToUtf8(message.from.View()));
    PrintField("To", WideToUtf8(message.to.View()));
    PrintField("Cc", WideToUtf8(message.cc.View()));
    PrintField("Subject", WideToUtf8(message.subject.View()));
    PrintField("Message-ID", indexed.messageId);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        std::printf("Attachment %zu: %s\n", i + 1, TerminalText(PartName(*parts[i])).c_str());
    }
    std::printf("\n");
    PrintText(ReadMessageText(message, {text, size}).body);
    return 0;
}

}  // namespace

int ShowCommand(const std::vector<std::string>& arguments) {
    const CommandLine line(arguments, {"--db", "--part", "--map-drive"}, {"--raw"});
    if (line.operands.size() != 1) throw UsageError("show takes one message ID");
    const std::int64_t id = MessageNumber(line.operands[0]);
    MailIndex index(DatabaseFile(line, false), Sqlite::Mode::kReadOnly);
    ReportImmutable(index);
    const IndexedMessage indexed = ReadIndexed(index, id);
    if (!indexed.directory.empty()) return ShowStored(line, index, indexed);
    if (line.Has("--raw") || !line.Value("--part").empty()) {
        throw std::runtime_error("message " + std::to_string(id) +
                                 " was imported from an event: only its text is in the index");
    }
    PrintField("Date", indexed.received);
    PrintField("Folder", indexed.folderPath);
    PrintField("From", indexed.from);
    PrintField("To", indexed.to);
    PrintField("Cc", indexed.cc);
    PrintField("Subject", indexed.subject);
    PrintField("Attachments", indexed.attachments);
    std::printf("\n");
    PrintText(indexed.body);
    return 0;
}

}  // namespace ombrel::cli

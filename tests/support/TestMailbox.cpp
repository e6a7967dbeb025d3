#include "tests/support/TestMailbox.h"

#include <filesystem>

#include "mailstore/MessageBaseFile.h"

namespace ombrel::testing {

StoredMessage SimpleMessage(const std::string& subject, std::int32_t time, std::uint32_t status) {
    return {"From: anna@example.org\r\nTo: main@example.org\r\nSubject: " + subject +
                "\r\n\r\nBody of " + subject + "\r\n",
            time, status};
}

std::vector<StoredMessage> PastTheFirstWindow(std::size_t count, std::int32_t time) {
    std::vector<StoredMessage> messages{{std::string(CTheBatNBBFile::kWindowSize + 4096, 'a'), time,
                                         CTheBatNBIFile::kStatusNotIndexed}};
    for (std::size_t i = 0; i < count; ++i) {
        messages.push_back(
            SimpleMessage("small " + std::to_string(i), time + static_cast<std::int32_t>(i) + 1));
    }
    return messages;
}

namespace {

void EnableBelow(MailFolder& parent) {
    for (const std::unique_ptr<MailFolder>& child : parent.children) {
        child->enabled = true;
        EnableBelow(*child);
    }
}

}  // namespace

void EnableEveryFolder(AccountList& accounts) {
    for (const std::unique_ptr<MailAccount>& account : accounts) EnableBelow(account->rootFolder);
}

TestMailbox::TestMailbox(std::u16string accountName) {
    account_->name = WideString(std::move(accountName));
    account_->directory = disk.Directory(u"account");
    account_->rootFolder.directory = account_->directory;
    relatives_.emplace(&account_->rootFolder, u"account");
    std::filesystem::create_directories(disk.Local(u"account"));
}

void TestMailbox::MoveInto(AccountList& accounts) {
    if (owned_) accounts.push_back(std::move(owned_));
}

MailFolder& TestMailbox::Add(MailFolder& parent, const std::u16string& displayName,
                             std::optional<std::vector<StoredMessage>> messages, bool enabled) {
    auto folder = std::make_unique<MailFolder>();
    const std::u16string relative = WideString::Formatted(u"folder%d", ++folders_).Std();
    folder->displayName = WideString(displayName);
    folder->name = folder->displayName;
    folder->directory = disk.Directory(relative);
    folder->hasOwnDirectory = true;
    folder->parent = &parent;
    folder->enabled = enabled;
    relatives_.emplace(folder.get(), relative);
    std::filesystem::create_directories(disk.Local(relative));
    if (messages) Store(*folder, WriteMessageBase(*messages));
    if (enabled) {
        disk.Write(relative + u"/kvrdirinfo.cookie",
                   "[KVR Directory Information]\r\nEnabled=1\r\n");
    }
    parent.children.push_back(std::move(folder));
    return *parent.children.back();
}

void TestMailbox::Store(const MailFolder& folder, const MessageBaseFiles& files) const {
    const std::u16string& relative = relatives_.at(&folder);
    disk.Write(relative + u"/MESSAGES.TBB", files.base);
    disk.Write(relative + u"/MESSAGES.TBI", files.index);
}

std::string TestMailbox::StateFile(const MailFolder& folder) const {
    return disk.Read(relatives_.at(&folder) + u"/kvrdirinfo.cookie");
}

}  // namespace ombrel::testing

#include "mailstore/FolderTree.h"

#include <array>
#include <unordered_map>
#include <unordered_set>

#include "common/Paths.h"
#include "common/TextCompare.h"
#include "mailstore/AccountConfig.h"
#include "mailstore/FolderListFile.h"
#include "mailstore/FolderState.h"

namespace ombrel {
namespace {

constexpr int kGroupLength = 5;

struct DisplayNameRule {
    const char16_t* stored;
    const char16_t* shown;
};

constexpr std::array<DisplayNameRule, 7> kDisplayNames = {{
    {u"Sent", u"Sent Mail"},
    {u"$KNOWN$", u"Inbox - Known"},
    {u"$JUNK$", u"Junk mail"},
    {u"$NAME$", u"Names"},
    {u"$MATTER$", u"Matters"},
    {u"$QRNTN$", u"Quarantine"},
    {u"$CHAT$", u"Chats"},
}};

int HexDigit(char16_t unit) {
    if (unit >= u'0' && unit <= u'9') return unit - u'0';
    if (unit >= u'a' && unit <= u'f') return unit - u'a' + 10;
    if (unit >= u'A' && unit <= u'F') return unit - u'A' + 10;
    return -1;
}

bool IsBlank(char16_t unit) {
    return unit == u' ' || (unit >= u'\t' && unit <= u'\r');
}

// A five-character group read as "%05x" reads it: blanks first, a sign, a "0x", hexadecimal
// digits; 0 when no digit is there.
std::uint32_t ScanGroup(std::u16string_view group) {
    std::size_t at = 0;
    while (at < group.size() && IsBlank(group[at])) ++at;
    const bool negative = at < group.size() && group[at] == u'-';
    if (at < group.size() && (group[at] == u'-' || group[at] == u'+')) ++at;
    if (group.size() - at >= 3 && group[at] == u'0' &&
        (group[at + 1] == u'x' || group[at + 1] == u'X') && HexDigit(group[at + 2]) >= 0) {
        at += 2;
    }
    std::uint32_t value = 0;
    for (; at < group.size() && HexDigit(group[at]) >= 0; ++at) {
        value = value * 16 + static_cast<std::uint32_t>(HexDigit(group[at]));
    }
    return negative ? 0U - value : value;
}

// Builds the folder trees of one account from its open folder list. Every table entry is placed
// at most once: a children text that names a folder already in the tree (its own ancestor, in a
// damaged list) leaves that child out, so no list makes the tree endless or exponential, and
// two entries with one folder id always find the first.
class TreeBuilder {
  public:
    explicit TreeBuilder(CTheBatZZFile& list) : list_(list) {
        for (std::uint32_t entry = list.Count(); entry-- > 0;) {
            firstEntry_[list.FolderId(entry)] = entry;
        }
        placed_.insert(list.RootEntry());
    }

    void BuildChildren(MailFolder& parent, const WideString& children, int depth) {
        if (depth >= kMaxFolderDepth) return;
        const std::u16string_view text = children.View();
        for (std::size_t at = 0; at + kGroupLength <= text.size(); at += kGroupLength) {
            const auto found = firstEntry_.find(ScanGroup(text.substr(at, kGroupLength)));
            if (found == firstEntry_.end() || !placed_.insert(found->second).second) continue;
            WideString name;
            WideString directory;
            WideString grandchildren;
            if (!list_.ReadFolderRecord(found->second, name, directory, grandchildren)) continue;
            MailFolder& child = Attach(parent, name, directory);
            BuildChildren(child, grandchildren, depth + 1);
        }
    }

  private:
    static MailFolder& Attach(MailFolder& parent, const WideString& name,
                              const WideString& directory) {
        auto child = std::make_unique<MailFolder>();
        child->name = name;
        child->displayName = DisplayName(name);
        child->hasOwnDirectory = !directory.IsEmpty();
        if (child->hasOwnDirectory) {
            child->directory = directory;
            EnsureTrailingBackslash(child->directory);
            child->enabled = ReadEnabled(*child);
        } else {
            // A folder without a directory of its own lives in one named after it.
            child->directory = parent.directory;
            EnsureTrailingBackslash(child->directory);
            child->directory += name + u"\\";
        }
        child->parent = &parent;
        parent.children.push_back(std::move(child));
        return *parent.children.back();
    }

    CTheBatZZFile& list_;
    std::unordered_map<std::uint32_t, std::uint32_t> firstEntry_;  // folder id to its first entry
    std::unordered_set<std::uint32_t> placed_;                     // entries in the tree
};

}  // namespace

WideString DisplayName(const WideString& storedName) {
    for (const DisplayNameRule& rule : kDisplayNames) {
        if (EqualsIgnoringCase(storedName.View(), rule.stored)) return rule.shown;
    }
    return storedName;
}

std::unique_ptr<MailAccount> BuildAccount(const WideString& name, const WideString& directory) {
    auto account = std::make_unique<MailAccount>();
    account->directory = directory;
    EnsureTrailingBackslash(account->directory);
    account->enabled = ReadEnabled(*account);
    account->name = name;
    account->rootFolder.directory = account->directory;

    if (!ReadAccountConfig(account->directory, account->address, account->secondValue)) {
        return account;
    }
    CTheBatZZFile list;
    if (!list.OpenFolderList(account->directory + u"ACCOUNT.FLB")) return account;
    if (list.RootChildren().Length() >= kGroupLength) {
        TreeBuilder(list).BuildChildren(account->rootFolder, list.RootChildren(), 0);
    }
    return account;
}

}  // namespace ombrel

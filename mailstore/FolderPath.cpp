#include "mailstore/FolderPath.h"

namespace ombrel {

WideString ChildPath(const WideString& parentPath, const MailFolder& child) {
    return parentPath + u'\\' + child.displayName;
}

WideString FolderPath(const MailAccount& account, const MailFolder& folder) {
    if (folder.parent == nullptr) return account.name;
    return ChildPath(FolderPath(account, *folder.parent), folder);
}

}  // namespace ombrel

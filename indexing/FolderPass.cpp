#include "indexing/FolderPass.h"

namespace ombrel {

void IndexChildFolders(MailFolder& /*folder*/, const WideString& /*parentPath*/) {}

}  // namespace ombrel

#include "common/Paths.h"

namespace ombrel {

void EnsureTrailingBackslash(WideString& path) {
    if (path.CharAt(path.Length() - 1) != u'\\') path += u'\\';
}

}  // namespace ombrel

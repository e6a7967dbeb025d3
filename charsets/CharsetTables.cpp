#include "charsets/CharsetTables.h"

namespace ombrel {

std::int32_t LoadCharsetTables() {
    return 0;
}

void FreeCharsetTables() {}

}  // namespace ombrel

#include "platform/win32/Win32Strings.h"

#include "common/Exceptions.h"

namespace ombrel::win32 {

BSTR AllocComString(std::u16string_view text) {
    BSTR result = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                                    static_cast<UINT>(text.size()));
    if (result == nullptr) throw CAtlException(hr::kOutOfMemory);
    return result;
}

}  // namespace ombrel::win32

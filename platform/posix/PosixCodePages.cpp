#include "platform/posix/PosixCodePages.h"

#include "platform/posix/TableConversion.h"
#include "platform/posix/Utf7Conversion.h"
#include "platform/posix/Utf8Conversion.h"

namespace ombrel::platform::posix {

std::uint32_t PosixCodePages::Resolve(std::uint32_t codePage) const {
    return codePage == codepage::kAnsi || codePage == codepage::kThreadAnsi ? ansiCodePage_.load()
                                                                            : codePage;
}

bool PosixCodePages::IsAvailable(std::uint32_t codePage) const {
    return codePage == codepage::kUtf8 || codePage == codepage::kUtf7 ||
           FindCodePageTable(codePage) != nullptr;
}

void PosixCodePages::AppendWide(std::uint32_t codePage, std::string_view bytes,
                                std::u16string& text) const {
    const std::uint32_t resolved = Resolve(codePage);
    if (resolved == codepage::kUtf8) {
        Utf8ToWide(bytes, text);
    } else if (resolved == codepage::kUtf7) {
        Utf7ToWide(bytes, text);
    } else if (const CodePageTable* table = FindCodePageTable(resolved)) {
        TableToWide(*table, bytes, text);
    }
}

std::string PosixCodePages::ToMultiByte(std::uint32_t codePage, std::u16string_view text) const {
    const std::uint32_t resolved = Resolve(codePage);
    if (resolved == codepage::kUtf8) return WideToUtf8(text);
    if (resolved == codepage::kUtf7) return WideToUtf7(text);
    const CodePageTable* table = FindCodePageTable(resolved);
    return table != nullptr ? TableToMultiByte(*table, text) : std::string();
}

}  // namespace ombrel::platform::posix

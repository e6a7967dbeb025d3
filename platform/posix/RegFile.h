#pragma once

#include <string_view>
#include <vector>

#include "platform/CodePages.h"
#include "platform/posix/MemoryRegistry.h"

namespace ombrel::platform::posix {

// What loading a registry file did.
struct RegFileLoad {
    bool recognised = false;        // the file began with a REGEDIT4 or REGEDIT5 header
    std::vector<int> skippedLines;  // 1-based numbers of the lines that could not be applied
};

// Applies a registry export file, as the registry editor imports it, to the registry: "REGEDIT4"
// files are text in the ANSI code page, "Windows Registry Editor Version 5.00" files UTF-16LE
// with its mark (or UTF-8 with its mark). "[ROOT\path]" creates a key and "[-ROOT\path]" deletes
// it with everything below; the roots are HKEY_CURRENT_USER and HKEY_CLASSES_ROOT (or HKCU, HKCR).
// Below a key, "name"= or @= sets a value to "text" (with \\ and \" escaped), dword:hhhhhhhh,
// hex:bb,bb,... or hex(t):bb,... of type t, and "name"=- deletes it; a line ending in a backslash
// continues on the next one, and lines starting with ";" are comments. A line that cannot be
// applied is skipped and named in the result; the values below a skipped key line are skipped too.
RegFileLoad LoadRegFile(MemoryRegistry& registry, std::string_view bytes,
                        const CodePages& codePages);

}  // namespace ombrel::platform::posix

// Registry export files of any bytes load into the posix registry without reading outside them.
#include <string_view>

#include "platform/posix/PosixCodePages.h"
#include "platform/posix/RegFile.h"
#include "tests/fuzz/FuzzTarget.h"

OMBREL_FUZZ_TARGET(RegFile) {
    static const ombrel::platform::posix::PosixCodePages codePages;
    ombrel::platform::posix::MemoryRegistry registry;
    ombrel::platform::posix::LoadRegFile(
        registry, std::string_view(reinterpret_cast<const char*>(data), size), codePages);
    return 0;
}

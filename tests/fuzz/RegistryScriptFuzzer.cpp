// Registration scripts of any text parse, and what parses registers and unregisters, without
// reading outside the text.
#include <string>

#include "host/RegistryScript.h"
#include "platform/posix/MemoryRegistry.h"
#include "tests/fuzz/FuzzTarget.h"

OMBREL_FUZZ_TARGET(RegistryScript) {
    const std::u16string text(data, data + size);  // one byte per unit
    const auto script = ombrel::RegistryScript::Parse(text, {{u"APPID", u"{x}"}});
    if (script) {
        ombrel::platform::posix::MemoryRegistry registry;
        script->Register(registry);
        script->Unregister(registry);
    }
    return 0;
}

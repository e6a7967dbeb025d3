#include "ui/HelpFile.h"

#include "platform/ModuleFile.h"
#include "platform/Ports.h"
#include "platform/Shell.h"

namespace ombrel {

WideString HelpFilePath(const WideString& modulePath) {
    constexpr std::u16string_view kLibrary = u".dll";
    if (!modulePath.View().ends_with(kLibrary)) return modulePath;
    WideString help = modulePath;
    help.Delete(help.Length() - 3, 3);
    help += u"chm";
    return help;
}

void OpenHelpFile() {
    const platform::Ports& ports = platform::CurrentPorts();
    ports.shell->Open(HelpFilePath(ports.moduleFile->Path()), platform::show::kNormal);
}

}  // namespace ombrel

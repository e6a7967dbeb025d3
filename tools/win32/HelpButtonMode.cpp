#include "tools/win32/HelpButtonMode.h"

#include <cstdio>

#include "tests/support/win32/SetupRun.h"
#include "ui/DialogControls.h"

namespace ombrel::standin {

int PressHelpButton(PluginLibrary& library) {
    library.Initialize();
    int exitCode = 1;
    {
        SetupRun run(library);
        if (run.Dialog() != nullptr) {
            run.Click(controls::kHelp);
            run.Command(controls::kCancel);
            exitCode = run.Result() == 1 ? 0 : 1;
        }
    }
    library.Finalize();
    if (exitCode != 0) std::fprintf(stderr, "the settings dialog did not appear or close\n");
    return exitCode;
}

}  // namespace ombrel::standin

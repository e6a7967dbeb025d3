#include "ui/SettingsDialog.h"

namespace ombrel {

int RunSettingsDialog() {
    return -1;
}

}  // namespace ombrel

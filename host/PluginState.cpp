#include "host/PluginState.h"

namespace ombrel {

PluginState& State() {
    static PluginState state;
    return state;
}

}  // namespace ombrel

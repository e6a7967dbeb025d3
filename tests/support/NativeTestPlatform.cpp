#include "tests/support/NativeTestPlatform.h"

#include "host/PluginState.h"

namespace ombrel::testing {

PluginTest::PluginTest() : ports_(posix.MakePorts(&indexer)) {
    ResetPluginState();
}

PluginTest::~PluginTest() {
    ResetPluginState();
}

void ResetPluginState() {
    PluginState& state = State();
    state.initialized = false;
    state.accounts.reset();
    state.eventFactory.reset();
    state.activeConfig = PluginConfigData();
    state.storedConfig = PluginConfigData::Initial();
    state.dataDirectory = WideString();
    state.pluginIniPath = WideString();
}

}  // namespace ombrel::testing

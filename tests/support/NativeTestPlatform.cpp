#include "tests/support/NativeTestPlatform.h"

#include "host/ComModule.h"
#include "host/PluginState.h"
#include "tests/support/HostEnvironment.h"

namespace ombrel::testing {

PluginTest::PluginTest() : ports_(posix.MakePorts(&indexer)) {
    ResetPluginState();
    InstallHostEnvironment(posix);
    SetUpComModule();
}

PluginTest::~PluginTest() {
    TearDownComModule();
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

#pragma once

#include <atomic>
#include <memory>

#include "common/WideString.h"
#include "host/PluginConfigData.h"
#include "mailstore/MailAccount.h"
#include "platform/Handles.h"
#include "platform/Indexer.h"

namespace ombrel {

// The library's module-global state, one per loaded library.
struct PluginState {
    std::atomic<bool> initialized = false;
    std::unique_ptr<AccountList> accounts;
    std::unique_ptr<platform::EventFactory> eventFactory;
    PluginConfigData activeConfig;
    PluginConfigData storedConfig = PluginConfigData::Initial();
    WideString dataDirectory;
    WideString pluginIniPath;
    platform::ModuleHandle moduleInstance = nullptr;
};

PluginState& State();

}  // namespace ombrel

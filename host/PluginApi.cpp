#include "host/PluginApi.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "host/ComServer.h"
#include "host/Lifecycle.h"
#include "host/PluginState.h"
#include "platform/CodePages.h"
#include "platform/MessageBoxes.h"
#include "platform/PluginMessage.h"
#include "platform/Ports.h"
#include "platform/ResourceStrings.h"
#include "resources/ProjectInfo.h"
#include "ui/SettingsDialog.h"

namespace ombrel::plugin {
namespace {

constexpr std::string_view kVersion = OMBREL_VERSION;

// Runs an export's body; any exception ends it with the given failure result.
template <typename Result, typename Body>
Result Contained(Result onFailure, Body body) noexcept {
    try {
        return body();
    } catch (...) {
        return onFailure;
    }
}

// Copies up to size characters without terminator; with no room, only tells the length.
std::int32_t CopyText(std::string_view text, char* buffer, std::int32_t size) {
    const auto length = static_cast<std::int32_t>(text.size());
    if (buffer == nullptr || size <= 0) return length;
    const std::int32_t count = std::min(length, size);
    std::memcpy(buffer, text.data(), static_cast<std::size_t>(count));
    return count;
}

std::string PluginNameInAnsi() {
    const WideString name = LoadResourceString(strings::kPluginName);
    if (name.IsEmpty()) return {};
    return platform::CurrentPorts().codePages->ToMultiByte(platform::codepage::kThreadAnsi,
                                                           name.View());
}

void ResetAfterFailedStart() noexcept {
    PluginState& state = State();
    state.initialized = false;
    state.accounts.reset();
    state.eventFactory.reset();
}

}  // namespace

void Initialize() noexcept {
    try {
        InitializePlugin();
    } catch (...) {
        ResetAfterFailedStart();
    }
}

void Finalize() noexcept {
    try {
        FinalizePlugin();
    } catch (...) {
        ResetAfterFailedStart();
    }
}

std::int32_t NeedCom() noexcept {
    return 1;
}

std::int32_t GetName(char* buffer, std::int32_t size) noexcept {
    return Contained(0, [&] { return CopyText(PluginNameInAnsi(), buffer, size); });
}

std::int32_t GetVersion(char* buffer, std::int32_t size) noexcept {
    return CopyText(kVersion, buffer, size);
}

std::int32_t GetInfo(std::int32_t /*unused*/, std::int32_t /*unused*/) noexcept {
    return 0;
}

std::int32_t GetStatus() noexcept {
    return State().initialized ? 0 : 1;
}

std::uint32_t GetConfigData(std::uint8_t* buffer, std::uint32_t size) noexcept {
    if (buffer == nullptr) return kConfigRecordSize;
    const std::uint32_t count = std::min<std::uint32_t>(size, kConfigRecordSize);
    std::memcpy(buffer, &State().storedConfig, count);
    return count;
}

std::int32_t SetConfigData(const std::uint8_t* data, std::int32_t size) noexcept {
    if (data == nullptr || size != kConfigRecordSize) return 0;
    PluginConfigData record;
    std::memcpy(&record, data, sizeof record);
    if (record.signature != kConfigSignature || record.recordSize != kConfigRecordSize) return 0;
    State().activeConfig = record;
    State().storedConfig = record;
    return 0;
}

std::int32_t Setup() noexcept {
    return Contained(1, [] {
        if (!State().initialized) {
            ShowPluginMessage(strings::kNotInitialized, platform::mb::kIconError);
            return -1;
        }
        return RunSettingsDialog() == 1 ? 0 : 1;
    });
}

std::int32_t GetSpamScore(MessageDataSource& source) noexcept {
    return Contained(-1, [&] { return IndexIncomingMessage(source); });
}

HResult CanUnloadNow() noexcept {
    return ombrel::CanUnloadNow();
}

HResult GetClassObject(void** object) noexcept {
    return ombrel::GetClassObject(object);
}

HResult RegisterServer() noexcept {
    return Contained(hr::kFail, [] { return ombrel::RegisterServer(); });
}

HResult UnregisterServer() noexcept {
    return Contained(hr::kFail, [] { return ombrel::UnregisterServer(); });
}

}  // namespace ombrel::plugin

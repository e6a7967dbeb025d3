#pragma once

#include <cstdint>

#include "common/HResult.h"
#include "host/IncomingMail.h"

// The bodies of the library's exports, free of any calling convention. None of them lets an
// exception out: a failure ends the call with the export's failure result.
namespace ombrel::plugin {

void Initialize() noexcept;
void Finalize() noexcept;
std::int32_t NeedCom() noexcept;
std::int32_t GetName(char* buffer, std::int32_t size) noexcept;
std::int32_t GetVersion(char* buffer, std::int32_t size) noexcept;
std::int32_t GetInfo(std::int32_t first, std::int32_t second) noexcept;
std::int32_t GetStatus() noexcept;
std::uint32_t GetConfigData(std::uint8_t* buffer, std::uint32_t size) noexcept;
std::int32_t SetConfigData(const std::uint8_t* data, std::int32_t size) noexcept;
std::int32_t Setup() noexcept;
std::int32_t GetSpamScore(MessageDataSource& source) noexcept;

HResult CanUnloadNow() noexcept;
HResult GetClassObject(void** object) noexcept;
HResult RegisterServer() noexcept;
HResult UnregisterServer() noexcept;

}  // namespace ombrel::plugin

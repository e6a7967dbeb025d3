#pragma once

// The identities and results of the indexer's interfaces, which the core and the indexer's
// adapters share.

#include <array>
#include <cstdint>

#include "common/HResult.h"

namespace ombrel {

// A GUID in its binary layout.
struct Guid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::array<std::uint8_t, 8> data4;
};

namespace indexer {

// The library's identity toward the indexer, and its AppID.
inline constexpr Guid kComponentGuid = {
    0xE6895E72, 0x8741, 0x44B3, {0x90, 0x0E, 0x01, 0xED, 0x98, 0xD1, 0xA6, 0xD3}};
inline constexpr const char16_t* kComponentIdString = u"{E6895E72-8741-44B3-900E-01ED98D1A6D3}";

inline constexpr Guid kEventFactoryClass = {
    0x579822B3, 0x44CD, 0x4786, {0x83, 0xE0, 0xAE, 0x32, 0xBC, 0xB9, 0xE6, 0xB1}};
inline constexpr Guid kEventFactoryInterface = {
    0xA79E51C6, 0xDB2D, 0x4A44, {0x84, 0x8E, 0xA8, 0xEB, 0xB2, 0x2E, 0x53, 0x37}};
inline constexpr Guid kEventInterface = {
    0xBDAC0047, 0x4759, 0x43A1, {0xBA, 0x04, 0xB1, 0x48, 0xE1, 0x67, 0x9E, 0x87}};
inline constexpr Guid kRegistrarClass = {
    0xAC129136, 0xEB1C, 0x4FFF, {0xB0, 0xA2, 0x6D, 0x67, 0x61, 0xBE, 0x41, 0x38}};
inline constexpr Guid kRegistrarInterface = {
    0xB7BC8A9B, 0xDC73, 0x42D4, {0xAB, 0x7D, 0x17, 0x17, 0x86, 0x19, 0xC8, 0xE4}};

// CLSCTX values: in-process server, in-process handler, local server (7), and remote server (0x17).
inline constexpr std::uint32_t kEventFactoryContext = 0x17;
inline constexpr std::uint32_t kRegistrarContext = 0x7;

// Results of the indexer that the library acts on.
inline constexpr HResult kComponentDisabled = MakeHResult(0x80040005);
inline constexpr HResult kAlreadyRegistered = MakeHResult(0x80040006);
inline constexpr HResult kServiceNotRunning = MakeHResult(0x80040009);
inline constexpr HResult kIndexingPaused = MakeHResult(0x00040007);

}  // namespace indexer
}  // namespace ombrel

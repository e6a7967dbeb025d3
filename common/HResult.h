#pragma once

#include <cstdint>

namespace ombrel {

// A COM-style status: negative is failure, 0 and positive are success.
using HResult = std::int32_t;

constexpr HResult MakeHResult(std::uint32_t bits) {
    return static_cast<HResult>(bits);
}

namespace hr {
inline constexpr HResult kOk = 0;
inline constexpr HResult kFalse = 1;
inline constexpr HResult kFail = MakeHResult(0x80004005);
inline constexpr HResult kPointer = MakeHResult(0x80004003);
inline constexpr HResult kNoInterface = MakeHResult(0x80004002);
inline constexpr HResult kInvalidArg = MakeHResult(0x80070057);
inline constexpr HResult kOutOfMemory = MakeHResult(0x8007000E);
inline constexpr HResult kClassNotAvailable = MakeHResult(0x80040111);
inline constexpr HResult kClassNotRegistered = MakeHResult(0x80040154);
inline constexpr HResult kUnexpected = MakeHResult(0x8000FFFF);
}  // namespace hr

// HRESULT_FROM_WIN32: a Windows error code as a failure of the Win32 facility; 0 stays success.
constexpr HResult FromWin32(std::int32_t code) {
    return code <= 0 ? code
                     : MakeHResult(0x80070000U | (static_cast<std::uint32_t>(code) & 0xFFFFU));
}

constexpr bool Failed(HResult result) {
    return result < 0;
}
constexpr bool Succeeded(HResult result) {
    return result >= 0;
}

}  // namespace ombrel

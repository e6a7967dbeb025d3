#pragma once

#include <cstdint>

#include "common/WideString.h"
#include "platform/Handles.h"

namespace ombrel::platform {

// Message box styles and answers, with the values of the Windows API.
namespace mb {
inline constexpr std::uint32_t kOk = 0x0;
inline constexpr std::uint32_t kYesNo = 0x4;
inline constexpr std::uint32_t kIconError = 0x10;
inline constexpr std::uint32_t kIconQuestion = 0x20;
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;
}  // namespace mb

// Modal message boxes.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // Shows the box and returns the id of the button that closed it (0 on failure).
    virtual int Show(WindowHandle owner, const WideString& text, const WideString& caption,
                     std::uint32_t style) = 0;
};

}  // namespace ombrel::platform

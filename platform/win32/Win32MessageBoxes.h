#pragma once

#include "platform/MessageBoxes.h"

namespace ombrel::platform::win32 {

class Win32MessageBoxes final : public MessageBoxes {
  public:
    int Show(WindowHandle owner, const WideString& text, const WideString& caption,
             std::uint32_t style) override;
};

}  // namespace ombrel::platform::win32

#pragma once

namespace ombrel::platform {

// Opaque handles of the operating system, passed through the core unchanged.
using WindowHandle = void*;
using ModuleHandle = void*;

}  // namespace ombrel::platform

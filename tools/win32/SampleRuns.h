#pragma once

#include <string>

#include "tests/support/SampleStore.h"
#include "tests/support/win32/PluginLibrary.h"

// What the stand-in host's runs over a sample mail store share.
namespace ombrel::standin {

// Installs the store as the host's in a fresh temporary directory named after `name`, and starts
// the library with "Monitor selected folders on exit" in its stored record; prints its status.
// False, with the reason on the error stream, when the store does not install.
bool StartOverSample(PluginLibrary& library, const testing::SampleStore& store,
                     const std::wstring& name);

}  // namespace ombrel::standin

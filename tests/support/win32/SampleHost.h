#pragma once

#include <windows.h>

#include <string>

#include "tests/support/SampleStore.h"

namespace ombrel::standin {

// Writes the sample store of the host into the working directory (ending with a backslash) and
// sets the host's registry values for it through the registry functions, as the host keeps them.
testing::SampleStore InstallSampleStore(const std::wstring& workingDirectory,
                                        int messagesPerFolder);

}  // namespace ombrel::standin

#pragma once

#include "common/HResult.h"

namespace ombrel {

// The COM server exports. The library's COM module has no creatable classes.
HResult RegisterServer();
HResult UnregisterServer();
HResult CanUnloadNow();
HResult GetClassObject(void** object);

}  // namespace ombrel

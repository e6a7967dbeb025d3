#include "host/ComServer.h"

#include "host/Environment.h"

namespace ombrel {

HResult RegisterServer() {
    return PrepareEnvironment();
}

HResult UnregisterServer() {
    return hr::kOk;
}

HResult CanUnloadNow() {
    return hr::kOk;
}

HResult GetClassObject(void** object) {
    if (object == nullptr) return hr::kPointer;
    *object = nullptr;
    return hr::kClassNotAvailable;
}

}  // namespace ombrel

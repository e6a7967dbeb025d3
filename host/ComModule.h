#pragma once

#include "common/HResult.h"
#include "common/WideString.h"

namespace ombrel {

// The library's COM module. Its class table is empty: it serves no class and writes no class,
// type-library or category entries. What it registers is its AppID, from the registration script
// in the resources ("REGISTRY" 101) with "%APPID%" standing for the braced lower-case component
// GUID.
class COmbrelDesktopSearchTheBatModule {
  public:
    COmbrelDesktopSearchTheBatModule();

    // Writes (registering) or removes the entries of the registration script, with the calling
    // thread's locale set to the system default for the duration. S_OK or the failing HRESULT.
    HResult UpdateRegistry(bool registering) const;
    // No object of the module ever exists, so nothing keeps the library loaded.
    static HResult CanUnloadNow() { return hr::kOk; }
    // CLASS_E_CLASSNOTAVAILABLE for every class; E_POINTER without an out pointer.
    static HResult GetClassObject(void** object);

    const WideString& AppId() const { return appId_; }

  private:
    WideString appId_;
};

// Sets up the one module object when the process attaches the library; false when it cannot be,
// and then the library must not load. Tears it down when the process detaches it.
bool SetUpComModule() noexcept;
void TearDownComModule() noexcept;

// The COM module's own registration (E_UNEXPECTED while the module is not set up).
HResult RegisterModule();
HResult UnregisterModule();

}  // namespace ombrel

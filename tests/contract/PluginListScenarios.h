#pragma once

#include <memory>
#include <string>

#include "common/WideString.h"
#include "platform/Ports.h"
#include "platform/ProfileFiles.h"
#include "tests/contract/PortContract.h"
#include "tests/support/TempDirectory.h"

namespace ombrel::contract {

// The edits of the host's plug-in list, run on each implementation of the profile-file port: the
// same scenarios read back the same sections, keys and values everywhere.
class PluginListScenarios : public PortContract<platform::ProfileFiles> {
  protected:
    void SetUp() override;

    // The file's value of the key, or "<absent>" when the key is not there.
    std::u16string Get(const char16_t* section, const char16_t* key) const;
    void WriteList(const std::string& text) const { scratch.Write(u"TBPlugin.INI", text); }
    std::string ListBytes() const { return scratch.Read(u"TBPlugin.INI"); }

    testing::TempDirectory scratch;
    WideString listPath = scratch.File(u"TBPlugin.INI");

  private:
    std::unique_ptr<platform::ScopedPorts> ports_;
};

}  // namespace ombrel::contract

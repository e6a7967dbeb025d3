#include "platform/posix/PosixModuleFile.h"

namespace ombrel::platform::posix {
namespace {

constexpr std::uint32_t kResourceScriptId = 101;
constexpr const char* kResourceScript =
#include "RegistrationScript.inc"
    ;

constexpr int kMaxPathLength = 1023;

}  // namespace

PosixModuleFile::PosixModuleFile() : scripts_{{kResourceScriptId, kResourceScript}} {}

WideString PosixModuleFile::Path() const {
    return {path_.View().substr(0, kMaxPathLength)};
}

std::optional<std::string> PosixModuleFile::RegistryScript(std::uint32_t id) const {
    auto found = scripts_.find(id);
    if (found == scripts_.end()) return std::nullopt;
    return found->second;
}

void PosixModuleFile::SetRegistryScript(std::uint32_t id, std::optional<std::string> script) {
    if (script) {
        scripts_[id] = std::move(*script);
    } else {
        scripts_.erase(id);
    }
}

}  // namespace ombrel::platform::posix

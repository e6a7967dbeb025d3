#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/HResult.h"
#include "platform/Registry.h"

namespace ombrel {

// A registration script in the registrar syntax of COM servers, in the subset this library uses:
//
//   HKCR
//   {
//       NoRemove AppID
//       {
//           '%APPID%' = s 'OmbrelDesktopTheBat'
//           'OmbrelDesktopTheBat.DLL' { val AppID = s '%APPID%' }
//       }
//   }
//
// Root keys are HKCR and HKCU (or HKEY_CLASSES_ROOT, HKEY_CURRENT_USER). A key is a word or a
// quoted text ('' stands for one quote), marked NoRemove, ForceRemove or neither, with an optional
// default value ("= s 'text'") and a body of subkeys and named values ("val Name = s 'text'").
// Values are texts (s) or 32-bit numbers (d, decimal or 0x hexadecimal). Keywords are matched
// without regard to case; %NAME% is replaced from a table and %% stands for one percent sign.
class RegistryScript {
  public:
    using Replacements = std::map<std::u16string, std::u16string>;

    enum class KeyMode { Normal, NoRemove, ForceRemove };
    struct Value {
        std::u16string name;  // empty: the key's default value
        std::uint32_t type = platform::reg::kTypeString;
        std::vector<std::uint8_t> data;
    };
    struct Key {
        std::u16string name;
        KeyMode mode = KeyMode::Normal;
        std::vector<Value> values;
        std::vector<Key> subkeys;
    };
    struct Root {
        platform::Registry::Key handle = 0;
        std::vector<Key> keys;
    };

    // Parses the script; nothing on a syntax error or a replacement the table lacks.
    static std::optional<RegistryScript> Parse(std::u16string_view text,
                                               const Replacements& replacements);

    // Creates every key, opening the ones that exist, and sets every value. A ForceRemove key is
    // first removed with everything below it. Stops at the first failure and returns it.
    HResult Register(platform::Registry& registry) const;
    // Removes every key that is not NoRemove, with everything below it; inside a NoRemove key,
    // removes its listed values and subkeys. What is missing already counts as removed.
    HResult Unregister(platform::Registry& registry) const;

    const std::vector<Root>& Roots() const { return roots_; }

  private:
    explicit RegistryScript(std::vector<Root> roots) : roots_(std::move(roots)) {}

    std::vector<Root> roots_;
};

// DISP_E_EXCEPTION: the registrar's answer to a script it cannot read.
inline constexpr HResult kScriptSyntaxError = MakeHResult(0x80020009);

}  // namespace ombrel

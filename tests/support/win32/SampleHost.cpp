#include "tests/support/win32/SampleHost.h"

#include "tests/support/win32/HostRegistry.h"

namespace ombrel::standin {
namespace {

std::wstring Wide(const std::u16string& text) {
    return {text.begin(), text.end()};
}

void PutNumber(HKEY root, const std::wstring& key, const std::wstring& name, DWORD value) {
    HKEY opened = nullptr;
    if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened,
                        nullptr) != ERROR_SUCCESS) {
        return;
    }
    RegSetValueExW(opened, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                   sizeof value);
    RegCloseKey(opened);
}

}  // namespace

testing::SampleStore InstallSampleStore(const std::wstring& workingDirectory,
                                        int messagesPerFolder) {
    testing::SampleStore store = testing::MakeSampleStore(messagesPerFolder);
    const std::u16string hostRoot(workingDirectory.begin(), workingDirectory.end());
    testing::WriteSampleStore(store, workingDirectory, hostRoot);
    for (const testing::RegistryEntry& entry : testing::SampleRegistry(store, hostRoot)) {
        if (entry.isNumber) {
            PutNumber(HKEY_CURRENT_USER, Wide(entry.key), Wide(entry.name), entry.number);
        } else {
            PutString(HKEY_CURRENT_USER, Wide(entry.key).c_str(), Wide(entry.name).c_str(),
                      Wide(entry.text));
        }
    }
    return store;
}

}  // namespace ombrel::standin

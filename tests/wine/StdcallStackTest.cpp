#include <cstdint>
#include <initializer_list>

#include "tests/support/win32/StackProbe.h"
#include "tests/wine/WineSuite.h"

// Built into the 32-bit suite only: stdcall, where the callee removes its arguments, exists only on
// 32-bit x86 (x86-64 has one calling convention, and the other tests call every export through its
// typed function pointer).
namespace ombrel::wine {
namespace {

using standin::CallStdcall;
using standin::PluginLibrary;

std::uint32_t Address(const void* p) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p));
}

class StdcallExports : public LibraryTest {};

TEST_F(StdcallExports, EveryStdcallExportRemovesExactlyItsArguments) {
    char buffer[16] = {};
    std::uint8_t record[12] = {};
    const std::uint32_t text = Address(buffer);
    const std::uint32_t bytes = Address(record);
    struct Probe {
        const char* name;
        std::initializer_list<std::uint32_t> args;
    };
    const Probe probes[] = {
        {"TBP_NeedCOM", {}},
        {"TBP_NeedConfig", {}},
        {"TBP_GetName", {text, 16}},
        {"TBP_GetVersion", {text, 16}},
        {"TBP_GetInfo", {1, 2}},
        {"TBP_GetStatus", {}},
        {"TBP_GetConfigData", {bytes, 12}},
        {"TBP_SetConfigData", {bytes, 11}},
        {"TBP_GetSpamScore", {0, 0}},
        {"DllCanUnloadNow", {}},
        {"DllGetClassObject", {Address(&IID_IUnknown), Address(&IID_IUnknown), 0}},
        {"TBP_Setup", {}},  // uninitialised: message 103 instead of the modal dialog
        {"TBP_Initialize", {}},
        {"TBP_Finalize", {}},
    };
    for (const Probe& probe : probes) {
        const auto call =
            CallStdcall(reinterpret_cast<void*>(library.Export(probe.name)), probe.args);
        EXPECT_EQ(call.stackDrift, 0) << probe.name;
    }
    PluginLibrary::TakeMessageBoxes();
}

}  // namespace
}  // namespace ombrel::wine

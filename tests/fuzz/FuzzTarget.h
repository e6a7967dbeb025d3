#pragma once

#include <cstddef>
#include <cstdint>

// Declares a fuzz target. Built with OMBREL_FUZZ_ENTRY it is the libFuzzer entry point of its own
// fuzzer; in the native test suite it is registered under its name, and the suite replays the
// saved inputs of tests/fuzz/corpus/<name>/ through it.
//
//   OMBREL_FUZZ_TARGET(MessageParser) { ...use data and size...; return 0; }

namespace ombrel::fuzz {
using TargetFunction = int (*)(const std::uint8_t* data, std::size_t size);
struct Registration {
    Registration(const char* name, TargetFunction function);
};
}  // namespace ombrel::fuzz

#ifdef OMBREL_FUZZ_ENTRY
#define OMBREL_FUZZ_HOOK(name)                                                          \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { \
        return name##Target(data, size);                                                \
    }
#else
#define OMBREL_FUZZ_HOOK(name) \
    static const ::ombrel::fuzz::Registration name##Registration(#name, &name##Target);
#endif

#define OMBREL_FUZZ_TARGET(name)                                         \
    static int name##Target(const std::uint8_t* data, std::size_t size); \
    OMBREL_FUZZ_HOOK(name)                                               \
    static int name##Target(const std::uint8_t* data, std::size_t size)

#pragma once

#include <cstdint>
#include <initializer_list>

namespace ombrel::standin {

struct ProbedCall {
    std::uint32_t result;
    // ESP after the call minus ESP before the arguments: 0 when the callee removed exactly its
    // arguments, negative when it left some on the stack, positive when it took too many.
    std::int32_t stackDrift;
};

// Calls a stdcall function with 32-bit arguments, pushed right to left, and measures whether the
// callee removed exactly its arguments from the stack.
ProbedCall CallStdcall(void* function, std::initializer_list<std::uint32_t> args);

}  // namespace ombrel::standin

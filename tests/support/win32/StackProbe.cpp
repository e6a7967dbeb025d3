#include "tests/support/win32/StackProbe.h"

#include <vector>

// int32_t ProbeCall(void* function, const uint32_t* args, uint32_t count, uint32_t* result):
// pushes the arguments, calls, stores EAX, and returns ESP after the call minus ESP before the
// pushes (0 when the callee popped exactly count * 4 bytes).
asm(R"(
    .text
    .globl _ProbeCall
_ProbeCall:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl 12(%ebp), %esi
    movl 16(%ebp), %ecx
    movl %esp, %edi
1:  testl %ecx, %ecx
    jz 2f
    decl %ecx
    pushl (%esi,%ecx,4)
    jmp 1b
2:  call *8(%ebp)
    movl 20(%ebp), %ecx
    movl %eax, (%ecx)
    movl %esp, %eax
    subl %edi, %eax
    movl %edi, %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");

extern "C" std::int32_t ProbeCall(void* function, const std::uint32_t* args, std::uint32_t count,
                                  std::uint32_t* result);

namespace ombrel::standin {

ProbedCall CallStdcall(void* function, std::initializer_list<std::uint32_t> args) {
    const std::vector<std::uint32_t> values(args);
    ProbedCall call{};
    call.stackDrift =
        ProbeCall(function, values.data(), static_cast<std::uint32_t>(values.size()), &call.result);
    return call;
}

}  // namespace ombrel::standin

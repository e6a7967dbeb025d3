// The quoted-printable decoder, in both of its forms, into a buffer of exactly the input's size.
#include <memory>

#include "mime/TransferDecoding.h"
#include "tests/fuzz/FuzzTarget.h"

OMBREL_FUZZ_TARGET(QuotedPrintable) {
    using namespace ombrel;
    const auto* source = reinterpret_cast<const char*>(data);
    for (const QuotedPrintableForm form :
         {QuotedPrintableForm::Body, QuotedPrintableForm::EncodedWord}) {
        const auto destination = std::make_unique<char[]>(size);
        std::size_t length = size + 1;
        if (!decodeQuotedPrintable(source, size, destination.get(), &length, form) ||
            length > size) {
            __builtin_trap();
        }
    }
    return 0;
}

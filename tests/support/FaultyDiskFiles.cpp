#include "tests/support/FaultyDiskFiles.h"

#include <utility>

namespace ombrel::testing {

void FaultyDiskFiles::Inject(Fault fault, int after, std::function<void()> shrink) {
    fault_ = fault;
    after_ = after;
    calls_ = 0;
    faults_ = 0;
    shrink_ = std::move(shrink);
}

bool FaultyDiskFiles::Due(Fault kind) {
    if (fault_ != kind || calls_++ < after_) return false;
    // A file shrinks once; reads go on failing.
    if (kind == Fault::kShrinkBeforeView && faults_ > 0) return false;
    ++faults_;
    return true;
}

bool FaultyDiskFiles::Read(Handle file, void* buffer, std::uint32_t count, std::uint32_t& read) {
    if (fault_ == Fault::kReadFails && Due(Fault::kReadFails)) {
        read = 0;
        return false;
    }
    if (fault_ == Fault::kShortRead && count > 1 && Due(Fault::kShortRead)) count /= 2;
    return Next().Read(file, buffer, count, read);
}

const void* FaultyDiskFiles::MapView(Handle mapping) {
    if (Due(Fault::kShrinkBeforeView)) shrink_();
    return Next().MapView(mapping);
}

const void* FaultyDiskFiles::MapViewPart(Handle mapping, std::uint64_t offset,
                                         std::uint32_t length) {
    if (Due(Fault::kShrinkBeforeView)) shrink_();
    return Next().MapViewPart(mapping, offset, length);
}

}  // namespace ombrel::testing

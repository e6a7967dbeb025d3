#include "host/MessageBuffer.h"

#include <new>

#include "platform/Ports.h"

namespace ombrel {

bool MessageBuffer::Obtain(std::uint32_t length) {
    Release();
    if (length == 0) return false;
    if (length <= kHeapLimit) {
        heap_.reset(new (std::nothrow) char[length]);
        data_ = heap_.get();
    } else {
        mapping_ = platform::CurrentPorts().pageFileMemory->Map(length);
        data_ = mapping_ ? mapping_->Data() : nullptr;
    }
    if (data_ == nullptr) return false;
    length_ = length;
    return true;
}

void MessageBuffer::Release() {
    mapping_.reset();
    heap_.reset();
    data_ = nullptr;
    length_ = 0;
}

}  // namespace ombrel

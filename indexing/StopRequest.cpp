#include "indexing/StopRequest.h"

#include "common/Exceptions.h"

namespace ombrel {
namespace {

class Never final : public StopRequest {
  public:
    bool IsSignalled() const override { return false; }
};

}  // namespace

const StopRequest& NeverStop() {
    static const Never never;
    return never;
}

void ThrowIfStopRequested(const StopRequest& request) {
    if (request.IsSignalled()) throw CKVRFailException(0);
}

}  // namespace ombrel

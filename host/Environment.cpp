#include "host/Environment.h"

namespace ombrel {

std::int32_t PrepareEnvironment() {
    return 1;
}

}  // namespace ombrel

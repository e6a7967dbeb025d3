#include "platform/Ports.h"

namespace ombrel::platform {

Ports& CurrentPorts() {
    static Ports ports;
    return ports;
}

}  // namespace ombrel::platform

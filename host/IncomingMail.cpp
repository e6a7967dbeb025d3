#include "host/IncomingMail.h"

namespace ombrel {

std::int32_t IndexIncomingMessage(MessageDataSource& /*source*/) {
    return -1;
}

}  // namespace ombrel

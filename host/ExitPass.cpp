#include "host/ExitPass.h"

namespace ombrel {

void RunExitPass(MailAccount& /*account*/, const WideString& /*pathPrefix*/) {}

}  // namespace ombrel

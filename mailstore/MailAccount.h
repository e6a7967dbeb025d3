#pragma once

#include <memory>
#include <vector>

#include "common/WideString.h"

namespace ombrel {

// One of the host's mail accounts.
struct MailAccount {
    WideString name;
    WideString directory;
};

// The accounts in the host's order; the list owns them.
using AccountList = std::vector<std::unique_ptr<MailAccount>>;

}  // namespace ombrel

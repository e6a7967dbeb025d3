#pragma once

#include "resources/ProjectInfo.h"

namespace ombrel {

// The developer's web page: the home page of the indexer component and the dialog's link.
inline constexpr const char16_t* kHomePage = u"" OMBREL_HOME_PAGE;

}  // namespace ombrel

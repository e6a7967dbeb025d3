/* Facts about the project shared by the resources and the code. */
#pragma once

#include "ProjectVersion.h"

/* The developer's web page: the component's home page and the dialog's link. */
#define OMBREL_HOME_PAGE "https://ombrel.example/"

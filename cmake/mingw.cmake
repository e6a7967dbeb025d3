# Cross-compiles for Windows with the posix-thread variant of mingw-w64. OMBREL_MINGW_ARCH (a cache
# variable of the preset) picks the width: i686 for 32-bit, x86_64 for 64-bit.
set(OMBREL_MINGW_ARCH "" CACHE STRING "The mingw-w64 target architecture: i686 or x86_64")
if(NOT OMBREL_MINGW_ARCH MATCHES "^(i686|x86_64)$")
  message(FATAL_ERROR "OMBREL_MINGW_ARCH must be i686 or x86_64, not '${OMBREL_MINGW_ARCH}'")
endif()
# The compiler checks run this file again in projects of their own: hand the architecture on.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES OMBREL_MINGW_ARCH)

set(triplet ${OMBREL_MINGW_ARCH}-w64-mingw32)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${OMBREL_MINGW_ARCH})
set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

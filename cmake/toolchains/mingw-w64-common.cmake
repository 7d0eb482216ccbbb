# Shared by the mingw-w64 toolchain files, which set _triple, DORVANE_WINNT and
# DORVANE_SUBSYSTEM_VERSION first.
set(CMAKE_C_COMPILER ${_triple}-gcc-win32)
set(CMAKE_CXX_COMPILER ${_triple}-g++-win32)
set(CMAKE_RC_COMPILER ${_triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The oldest system the build runs on, for the headers and in the executable's header.
set(CMAKE_C_FLAGS_INIT "-D_WIN32_WINNT=${DORVANE_WINNT} -DWINVER=${DORVANE_WINNT}")
set(CMAKE_CXX_FLAGS_INIT "-D_WIN32_WINNT=${DORVANE_WINNT} -DWINVER=${DORVANE_WINNT}")
# The C and C++ runtimes linked in: the program is one executable needing only the system.
list(GET DORVANE_SUBSYSTEM_VERSION 0 _major)
list(GET DORVANE_SUBSYSTEM_VERSION 1 _minor)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--major-subsystem-version,${_major}\
 -Wl,--minor-subsystem-version,${_minor} -Wl,--major-os-version,${_major}\
 -Wl,--minor-os-version,${_minor}")

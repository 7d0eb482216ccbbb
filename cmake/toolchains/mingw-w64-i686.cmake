# Windows i686 down to Windows XP SP3 with Debian's mingw-w64. The win32 thread model: the
# posix one links a thread library that imports functions XP lacks (GetTickCount64).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(_triple i686-w64-mingw32)
set(DORVANE_WINNT 0x0501)
set(DORVANE_SUBSYSTEM_VERSION 5 1)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

# The x87 unit rounds to double precision, as Windows itself sets it up: the runtime's default
# object would switch it to extended precision, under which date values round differently
# from every other build.
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " ${CMAKE_FIND_ROOT_PATH}/lib/CRT_fp8.o")

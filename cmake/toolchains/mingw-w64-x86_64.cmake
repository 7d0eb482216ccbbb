# Windows x86_64 (Windows 7 and later) with Debian's mingw-w64, win32 thread model.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(_triple x86_64-w64-mingw32)
set(DORVANE_WINNT 0x0601)
set(DORVANE_SUBSYSTEM_VERSION 6 1)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

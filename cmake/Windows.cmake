# The Windows build, cross-built with mingw-w64: the program, its help file and the tests,
# which run under Wine in a prefix of the build folder's own, made afresh by each test run.

# The resource compiler (windres) for the program's resources (cmake/WindowsResources.cmake),
# and the build-time tools built for the build machine (tools/host).
enable_language(RC)
set(DORVANE_HOST_TOOLS_DIR ${PROJECT_BINARY_DIR}/host-tools)

find_program(DORVANE_WINE wine)
if(CMAKE_CROSSCOMPILING AND DORVANE_WINE)
  set(DORVANE_WINEPREFIX ${PROJECT_BINARY_DIR}/wineprefix)
  # Wine would otherwise offer to install its .NET and HTML engines on the prefix's creation.
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_COMMAND} -E env WINEPREFIX=${DORVANE_WINEPREFIX}
      WINEDLLOVERRIDES=mscoree,mshtml= WINEDEBUG=-all ${DORVANE_WINE})
endif()

set(DORVANE_GTEST_PORT_DIR ${CMAKE_CURRENT_LIST_DIR}/gtest-win32)
set(DORVANE_BENCHMARK_PORT ${CMAKE_CURRENT_LIST_DIR}/benchmark-win32/Win32Threads.h)

# GoogleTest built from the sources Debian installs (package googletest), for the target.
macro(dorvane_windows_tests)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # The win32 thread model has no std::mutex: GoogleTest's porting hook stands in.
  foreach(t gtest gtest_main gmock gmock_main)
    target_include_directories(${t} BEFORE PUBLIC ${DORVANE_GTEST_PORT_DIR})
  endforeach()

  if(DORVANE_WINEPREFIX)
    # A fresh prefix for every run, so no state of an earlier run (registry, files) counts; a
    # server left running on the old one is stopped first.
    get_filename_component(_wine_dir ${DORVANE_WINE} DIRECTORY)
    add_test(NAME wine_prefix
      COMMAND sh -c "WINEPREFIX=\"$0\" \"$2/wineserver\" -k 2>/dev/null; rm -rf \"$0\" && WINEPREFIX=\"$0\" WINEDLLOVERRIDES=mscoree,mshtml= WINEDEBUG=-all \"$1\" wineboot -i && WINEPREFIX=\"$0\" \"$2/wineserver\" -w"
              ${DORVANE_WINEPREFIX} ${DORVANE_WINE} ${_wine_dir})
    set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
  endif()
endmacro()

# Google Benchmark built from Debian's source of the installed package (fetched into .deps/ by
# scripts/debian-source.sh), for the target. The win32 thread model lacks the standard
# library's threads: the library gets them from its porting header.
macro(dorvane_windows_benchmark)
  execute_process(COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/debian-source.sh benchmark
                          libbenchmark-dev COMMAND_ERROR_IS_FATAL ANY)
  foreach(option BENCHMARK_ENABLE_TESTING BENCHMARK_ENABLE_INSTALL BENCHMARK_ENABLE_WERROR
                 BENCHMARK_ENABLE_GTEST_TESTS BENCHMARK_INSTALL_DOCS)
    set(${option} OFF CACHE BOOL "" FORCE)
  endforeach()
  # As Debian builds it: the version from the project, not from Git tags.
  set(GIT_VERSION 0.0.0)
  add_subdirectory(${PROJECT_SOURCE_DIR}/.deps/benchmark ${PROJECT_BINARY_DIR}/benchmark
                   EXCLUDE_FROM_ALL)
  foreach(t benchmark benchmark_main)
    target_compile_options(${t} PRIVATE
      -include ${DORVANE_BENCHMARK_PORT})
  endforeach()
endmacro()

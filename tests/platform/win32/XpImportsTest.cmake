cmake_minimum_required(VERSION 3.25)
# Fails when the executable imports a function that Windows XP SP3 lacks, or declares a
# subsystem newer than 5.01.
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${EXE}")
endif()

# The imports objdump lists, as "dll!function".
set(imports)
set(dll "")
string(REPLACE "\n" ";" lines "${dump}")
foreach(line IN LISTS lines)
  if(line MATCHES "DLL Name: (.+)$")
    string(TOLOWER "${CMAKE_MATCH_1}" dll)
  elseif(dll AND line MATCHES "^\t[0-9a-f]+[ \t]+[0-9]+[ \t]+([A-Za-z_][A-Za-z0-9_@]*)$")
    list(APPEND imports "${dll}!${CMAKE_MATCH_1}")
  elseif(line MATCHES "^$")
    set(dll "")
  endif()
endforeach()
list(LENGTH imports count)
if(count LESS 20)
  message(FATAL_ERROR "only ${count} imports read from objdump's listing")
endif()

# Functions that came with Windows Vista or later, among those a C++ runtime or our code could
# reach for.
set(later
  GetTickCount64
  "(Initialize|Acquire|Release|TryAcquire)SRWLock(Exclusive|Shared)?"
  "(Initialize|Sleep|Wake|WakeAll)ConditionVariable(CS|SRW)?"
  "InitOnce[A-Za-z]*"
  "CreateSymbolicLink[AW]" GetFinalPathNameByHandle[AW] GetFileInformationByHandleEx
  "FlsAlloc|FlsGetValue|FlsSetValue|FlsFree"
  "GetDpiFor(Window|System|Monitor)" "SetProcessDpiAware(ness|nessContext)?"
  "SetThreadDpiAwarenessContext" "GetSystemMetricsForDpi" "AdjustWindowRectExForDpi"
  "EnableNonClientDpiScaling" "GetProcessDpiAwareness" "LocaleNameToLCID" "LCIDToLocaleName"
  "GetLocaleInfoEx" "GetUserDefaultLocaleName" "CompareStringEx" "LCMapStringEx"
  "CreateEventEx[AW]" "CreateMutexEx[AW]" "CreateSemaphoreEx[AW]" "GetQueuedCompletionStatusEx"
  "SetFileInformationByHandle" "GetErrorMode" "QueryFullProcessImageName[AW]"
  "InitializeCriticalSectionEx" "GetCurrentProcessorNumber" "CancelIoEx")
set(bad)
foreach(import IN LISTS imports)
  foreach(name IN LISTS later)
    if(import MATCHES "!(${name})$")
      list(APPEND bad "${import}")
    endif()
  endforeach()
endforeach()
if(bad)
  message(FATAL_ERROR "imports that Windows XP lacks: ${bad}")
endif()

if(NOT dump MATCHES "MajorSubsystemVersion\t5\n" OR NOT dump MATCHES "MinorSubsystemVersion\t1\n")
  message(FATAL_ERROR "the subsystem version is not 5.01")
endif()
message(STATUS "${count} imports, none beyond Windows XP")

cmake_minimum_required(VERSION 3.25)
# dorvane.exe under Wine: the options that print give the Linux program's lines (with Windows
# line ends), and a start in debug mode writes the start-up report beside the program.
set(ENV{WINEPREFIX} ${WINEPREFIX})
set(ENV{WINEDLLOVERRIDES} "mscoree,mshtml=")
set(ENV{WINEDEBUG} "-all")
get_filename_component(WORK_DIR ${EXE} DIRECTORY)

# Runs the program; its standard output and error, read as bytes, so that line ends count.
function(run_program args)
  execute_process(COMMAND ${WINE} ${EXE} ${args} RESULT_VARIABLE status
                  OUTPUT_FILE ${WORK_DIR}/out.txt ERROR_FILE ${WORK_DIR}/err.txt)
  # As hexadecimal: file(READ) would drop carriage returns.
  file(READ ${WORK_DIR}/out.txt out HEX)
  file(READ ${WORK_DIR}/err.txt err HEX)
  set(status ${status} PARENT_SCOPE)
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect_output args expected)
  run_program("${args}")
  string(REPLACE "\n" "\r\n" expected "${expected}")
  string(HEX "${expected}" expected)
  if(NOT status EQUAL 0 OR NOT out STREQUAL expected OR NOT err STREQUAL "")
    message(SEND_ERROR "dorvane ${args}: status ${status}\n[${out}]\nexpected\n[${expected}]\n[${err}]")
  endif()
endfunction()

# The lines the Linux program prints in a French locale, in the system's own French texts.
expect_output("--print;2005-03-07" "MARS 2005
lundi 7 mars 2005 - 2 ème jour de la semaine.
66 ème jour
Lune : 27° jour  (dernier quartier)
")
expect_output("--month;2005-03-07" " lun. mar. mer. jeu. ven. sam. dim.
         1    2    3    4    5    6
  [7]    8    9   10   11   12   13
   14   15   16   17   18   19   20
   21   22   23   24   25   26   27
   28   29   30   31               
                                   
")
run_program("--print;2005-02-29")
string(HEX "Argument incorrect pour l'encodage de date.\r\n" refusal)
if(NOT status EQUAL 2 OR NOT out STREQUAL "" OR NOT err STREQUAL refusal)
  message(SEND_ERROR "refused date: status ${status} [${out}] [${err}]")
endif()

# Debug mode, from a folder named with accents, a blank, an apostrophe and letters that the ANSI
# code page lacks: the report lands beside the program, under the folder's right name, in 22
# lines with Windows line ends, with the real versions; the program says where on standard error.
set(odd "${WORK_DIR}/Mes outils d'été Łódź")
file(REMOVE_RECURSE "${odd}")
file(MAKE_DIRECTORY "${odd}")
file(COPY ${EXE} ${CONSOLE} ${WORK_DIR}/Dorvane.chm DESTINATION "${odd}")
get_filename_component(name ${EXE} NAME)
set(EXE "${odd}/${name}")
run_program("/DEBUG")
if(NOT EXISTS "${odd}/HHDebug.txt")
  message(FATAL_ERROR "no report in ${odd}")
endif()
file(READ "${odd}/HHDebug.txt" report)
message(STATUS "HHDebug.txt:\n${report}")
file(READ "${odd}/HHDebug.txt" bytes HEX)
string(REGEX REPLACE "(..)" "\\1;" bytes "${bytes}")
list(FILTER bytes INCLUDE REGEX "^0[ad]$")
list(JOIN bytes "" ends)
string(REGEX MATCHALL "0d0a" pairs "${ends}")
list(LENGTH pairs count)
string(LENGTH "${ends}" length)
string(HEX "Rapport de diagnostic écrit dans " told)
foreach(want "^Filename:             \t[A-Za-z]:\\\\[^\n]*\\\\Mes outils d'été Łódź\\\\HHDebug.txt\n"
             "Operating System:      \tWindows NT [0-9]+\\.[0-9]+\\.[0-9]+\n"
             "SysLocale.DefaultLCID: \t0x040C\n"
             "Cmdline Param\\(s\\) =  \t/DEBUG\n"
             "\n_ModuleName =       \t${name}\n"
             "\n_ModuleDir =        \t[A-Za-z]:\\\\[^\n]*\\\\Mes outils d'été Łódź\n"
             "_hhInstalled =      \tYES\n"
             "_hhVerStr =         \t[0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+\n"
             "_ieInstalled =      \tYES\n"
             "_ieVerStr =         \t[0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+\n")
  if(NOT report MATCHES "${want}")
    message(SEND_ERROR "the report from ${odd} lacks ${want}")
  endif()
endforeach()
if(NOT count EQUAL 22 OR NOT length EQUAL 88)
  message(SEND_ERROR "report has ${count} Windows line ends, and other line-end bytes")
endif()
if(NOT err MATCHES "^${told}")
  message(SEND_ERROR "standard error does not say where the report went: [${err}]")
endif()

# Unix links named as our files lead out of the folder: Wine shows them as the files they lead
# to, and neither the writability test nor the removal of the old report may delete those.
foreach(file "HHDebug.txt" "$_Temp_$.$$$")
  file(WRITE "${WORK_DIR}/precious ${file}" "precious")
  file(REMOVE "${odd}/${file}")
  file(CREATE_LINK "${WORK_DIR}/precious ${file}" "${odd}/${file}" SYMBOLIC)
endforeach()
run_program("/debug")
foreach(file "HHDebug.txt" "$_Temp_$.$$$")
  file(READ "${WORK_DIR}/precious ${file}" kept)
  if(NOT IS_SYMLINK "${odd}/${file}" OR NOT kept STREQUAL "precious")
    message(SEND_ERROR "the start deleted or wrote what the link ${file} leads to: [${kept}]")
  endif()
  file(REMOVE "${odd}/${file}" "${WORK_DIR}/precious ${file}")
endforeach()

# An old report that is read-only goes all the same.
file(WRITE "${odd}/HHDebug.txt" "old report")
file(CHMOD "${odd}/HHDebug.txt" PERMISSIONS OWNER_READ GROUP_READ WORLD_READ)
run_program("")
if(EXISTS "${odd}/HHDebug.txt")
  message(SEND_ERROR "a read-only old report survived the start")
endif()

# A viewer registered as a device (a serial port): the start neither hangs nor counts it.
# Both views of the registry: the program reads the one of its own width.
set(key "HKCR\\CLSID\\{adb880a6-d8ff-11cf-9377-00aa003b7a11}\\InprocServer32")
foreach(view 32 64)
  execute_process(COMMAND ${WINE} reg query ${key} /ve /reg:${view} OUTPUT_VARIABLE registered)
  string(REGEX MATCH "REG_SZ +[^\r\n]+" registered "${registered}")
  string(REGEX REPLACE "^REG_SZ +" "" registered_${view} "${registered}")
  execute_process(COMMAND ${WINE} reg add ${key} /ve /d COM1 /f /reg:${view} OUTPUT_QUIET ERROR_QUIET)
endforeach()
execute_process(COMMAND ${WINE} ${EXE} /debug RESULT_VARIABLE status TIMEOUT 60)
foreach(view 32 64)
  if(registered_${view})
    execute_process(COMMAND ${WINE} reg add ${key} /ve /d "${registered_${view}}" /f /reg:${view}
                    OUTPUT_QUIET ERROR_QUIET)
  endif()
endforeach()
file(READ "${odd}/HHDebug.txt" report)
if(NOT report MATCHES "\n_hhInstalled =      \tNO\n")
  message(SEND_ERROR "COM1 as the viewer (status ${status}):\n${report}")
endif()

# From cmd, "dorvane" is the console companion dorvane.com: the printing options print there and
# give their status; anything else goes to dorvane.exe, whose status it passes on.
function(run_cmd args)
  execute_process(COMMAND ${WINE} cmd /c dorvane ${args} WORKING_DIRECTORY "${odd}"
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(status ${status} PARENT_SCOPE)
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()
run_cmd("--print;2005-02-29")
if(NOT status EQUAL 2 OR NOT err MATCHES "^Argument incorrect pour l'encodage de date")
  message(SEND_ERROR "cmd /c dorvane --print 2005-02-29: status ${status} [${out}] [${err}]")
endif()
run_cmd("--print;2005-03-07")
if(NOT status EQUAL 0 OR NOT out MATCHES "^MARS 2005\r?\nlundi 7 mars 2005")
  message(SEND_ERROR "cmd /c dorvane --print 2005-03-07: status ${status} [${out}] [${err}]")
endif()
# Without a display the screenshot fails in dorvane.exe, which got the arguments as they were.
run_cmd("--screenshot;x.png;/debug")
file(READ "${odd}/HHDebug.txt" report)
if(status EQUAL 0 OR NOT report MATCHES "Cmdline Param\\(s\\) =  \t--screenshot \\| x.png \\| /debug\n")
  message(SEND_ERROR "cmd /c dorvane --screenshot: status ${status} [${err}]\n${report}")
endif()
file(REMOVE_RECURSE "${odd}")

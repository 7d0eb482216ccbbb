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

# The lines the Linux program prints in a French locale.
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
expect_output("--format;dddd d mmmm yyyy, hh:nn:ss;2005-02-07T14:05:09"
              "lundi 7 février 2005, 14:05:09
")

run_program("--print;2005-02-29")
string(HEX "Argument incorrect pour l'encodage de date.\r\n" refusal)
if(NOT status EQUAL 2 OR NOT out STREQUAL "" OR NOT err STREQUAL refusal)
  message(SEND_ERROR "refused date: status ${status} [${out}] [${err}]")
endif()

# Debug mode: the report, 22 lines with Windows line ends and paths, the real versions.
get_filename_component(dir ${EXE} DIRECTORY)
file(REMOVE ${dir}/HHDebug.txt)
execute_process(COMMAND ${WINE} ${EXE} /DEBUG RESULT_VARIABLE status)
if(NOT EXISTS ${dir}/HHDebug.txt)
  message(FATAL_ERROR "no report in ${dir}")
endif()
file(READ ${dir}/HHDebug.txt report)
message(STATUS "HHDebug.txt:\n${report}")
file(READ ${dir}/HHDebug.txt bytes HEX)
string(REGEX REPLACE "(..)" "\\1;" bytes "${bytes}")
list(FILTER bytes INCLUDE REGEX "^0[ad]$")
list(JOIN bytes "" ends)
string(REGEX MATCHALL "0d0a" pairs "${ends}")
list(LENGTH pairs count)
string(LENGTH "${ends}" length)
foreach(want "Filename:             \t[A-Za-z]:\\\\.*\\\\HHDebug.txt\n"
             "Operating System:      \tWindows NT [0-9]+\\.[0-9]+\\.[0-9]+\n"
             "SysLocale.DefaultLCID: \t0x040C\n"
             "Cmdline Param\\(s\\) =  \t/DEBUG\n"
             "_hhInstalled =      \tYES\n"
             "_hhVerStr =         \t[0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+\n"
             "_ieInstalled =      \tYES\n"
             "_ieVerStr =         \t[0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+\n")
  if(NOT report MATCHES "${want}")
    message(SEND_ERROR "report lacks ${want}")
  endif()
endforeach()
if(NOT count EQUAL 22 OR NOT length EQUAL 88)
  message(SEND_ERROR "report has ${count} Windows line ends, and other line-end bytes")
endif()
file(REMOVE ${dir}/HHDebug.txt)

# The Windows program's resources, made at build time from the sources the Qt build uses:
# - the pictures (the About banner, the program's and the search dialog's pictures, the tool
#   bar's images), each rendered from its SVG at 100, 150 and 200 % by our host tool svgpicture
#   into premultiplied 32-bit rows, linked in as RCDATA "NAME.PERCENT" (src/win32/Pictures.cpp
#   copies them into a DIB section: nothing to decode at start-up);
# - the window icons "DORVANE" (the program's, first, so it is the file's icon) and
#   "RECHERCHE": rsvg-convert renders each size, icotool packs them, 32-bit BMP entries up to
#   64 pixels (which Windows XP reads) and a PNG entry at 256;
# - for dorvane.exe and dorvane.com, each its version resource, with its own description, and
#   the manifest (src/win32/dorvane.rc.in).
# Included by src/win32/CMakeLists.txt, which links dorvane_pictures where pictures are drawn.

find_program(DORVANE_RSVG_CONVERT rsvg-convert)
find_program(DORVANE_ICOTOOL icotool)
if(NOT DORVANE_RSVG_CONVERT OR NOT DORVANE_ICOTOOL)
  message(FATAL_ERROR "The Windows resources need rsvg-convert and icotool: on Debian, "
                      "apt-get install librsvg2-bin icoutils (or run scripts/deps.sh).")
endif()

set(_res_src ${PROJECT_SOURCE_DIR}/resources)
set(_res_out ${CMAKE_CURRENT_BINARY_DIR}/resources)
set(_svgpicture ${DORVANE_HOST_TOOLS_DIR}/svgpicture)

# Table name and source of each picture.
set(_pictures about-banner dorvane recherche)
foreach(_name IN LISTS _pictures)
  set(_svg_${_name} ${_res_src}/${_name}.svg)
endforeach()
file(GLOB _tool_svgs CONFIGURE_DEPENDS ${_res_src}/tool/*.svg)
foreach(_svg IN LISTS _tool_svgs)
  get_filename_component(_name ${_svg} NAME_WE)
  list(APPEND _pictures ${_name})
  set(_svg_${_name} ${_svg})
endforeach()

# Language neutral: found whatever the user interface language.
set(_rc "LANGUAGE 0, 0\n")
set(_made)

foreach(_name dorvane recherche)
  string(TOUPPER ${_name} _id)
  set(_pngs)
  set(_ico_args)
  foreach(_size 16 20 24 32 40 48 64 256)
    set(_png ${_res_out}/icon/${_name}-${_size}.png)
    add_custom_command(
      OUTPUT ${_png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${_res_out}/icon
      COMMAND ${DORVANE_RSVG_CONVERT} -w ${_size} -h ${_size} -o ${_png} ${_svg_${_name}}
      DEPENDS ${_svg_${_name}}
      VERBATIM)
    list(APPEND _pngs ${_png})
    if(_size EQUAL 256)
      list(APPEND _ico_args -r ${_png})
    else()
      list(APPEND _ico_args ${_png})
    endif()
  endforeach()
  set(_ico ${_res_out}/${_name}.ico)
  add_custom_command(
    OUTPUT ${_ico}
    COMMAND ${DORVANE_ICOTOOL} -c -b 32 -o ${_ico} ${_ico_args}
    DEPENDS ${_pngs}
    COMMENT "Making the icon ${_name}.ico"
    VERBATIM)
  string(APPEND _rc "${_id} ICON \"${_ico}\"\n")
  list(APPEND _made ${_ico})
endforeach()

foreach(_name IN LISTS _pictures)
  string(TOUPPER ${_name} _id)
  foreach(_percent 100 150 200)
    set(_pic ${_res_out}/picture/${_name}.${_percent}.pic)
    add_custom_command(
      OUTPUT ${_pic}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${_res_out}/picture
      COMMAND ${_svgpicture} ${_svg_${_name}} ${_percent} ${_pic}
      DEPENDS ${_svg_${_name}} host_tools ${_svgpicture}
      COMMENT "Rendering the picture ${_name} at ${_percent} %"
      VERBATIM)
    string(APPEND _rc "${_id}.${_percent} RCDATA \"${_pic}\"\n")
    list(APPEND _made ${_pic})
  endforeach()
endforeach()

set(_pictures_rc ${_res_out}/pictures.rc)
file(GENERATE OUTPUT ${_pictures_rc} CONTENT "${_rc}")
set_source_files_properties(${_pictures_rc} PROPERTIES OBJECT_DEPENDS "${_made}")
add_library(dorvane_pictures OBJECT ${_pictures_rc})

# The version resource carries the texts the About box shows, read from where the program
# keeps them.
file(STRINGS ${PROJECT_SOURCE_DIR}/src/forms/AboutTexts.h _line ENCODING UTF-8 REGEX "kMakerNotice = \"")
string(REGEX REPLACE ".*kMakerNotice = \"([^\"]*)\".*" "\\1" DORVANE_COPYRIGHT "${_line}")
file(STRINGS ${PROJECT_SOURCE_DIR}/src/forms/MainForm.cpp _line REGEX "SetVersion\\(\"")
string(REGEX REPLACE ".*SetVersion\\(\"([^\"]*)\"\\).*" "\\1" DORVANE_VERSION_TEXT "${_line}")
if(NOT DORVANE_COPYRIGHT OR NOT DORVANE_VERSION_TEXT)
  message(FATAL_ERROR "The About box's notice or version text was not found for the version resource")
endif()
set(DORVANE_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
set(DORVANE_VERSION_DOTS "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/dorvane.manifest.in ${_res_out}/dorvane.manifest @ONLY)
# DORVANE_PROGRAM_RC and DORVANE_CONSOLE_RC: the window program's and the console companion's.
foreach(_program PROGRAM CONSOLE)
  if(_program STREQUAL PROGRAM)
    set(DORVANE_FILE_NAME dorvane.exe)
    set(DORVANE_FILE_DESCRIPTION "Dorvane, calendrier perpétuel")
  else()
    set(DORVANE_FILE_NAME dorvane.com)
    set(DORVANE_FILE_DESCRIPTION "Dorvane en console, calendrier perpétuel")
  endif()
  set(DORVANE_${_program}_RC ${_res_out}/${DORVANE_FILE_NAME}.rc)
  configure_file(${CMAKE_CURRENT_SOURCE_DIR}/dorvane.rc.in ${DORVANE_${_program}_RC} @ONLY)
  set_source_files_properties(${DORVANE_${_program}_RC} PROPERTIES
    OBJECT_DEPENDS ${_res_out}/dorvane.manifest)
endforeach()

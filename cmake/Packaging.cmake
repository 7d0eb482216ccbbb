# What a system installation needs besides the program, its help viewer and its help file: the
# desktop entry, the icons (the SVG and PNG renderings of it at the usual sizes), the AppStream
# metainfo, the manual pages in English and French, and the licence. The Debian package is
# built from this installation by debian/ (dh, CMake build system). The Windows build installs
# only its program and help file, which scripts/package.sh puts into its installer and zip
# (packaging/windows/).
if(WIN32)
  return()
endif()

# The project has no public address yet: the home page, the screenshot's address and the
# AppStream identifier (the home page's domain reversed) are placeholders under example.org,
# to be set here (or on the command line) once it has one.
set(DORVANE_HOMEPAGE "https://dorvane.example.org" CACHE STRING
    "The program's home page, named by the AppStream metainfo")
set(DORVANE_APPSTREAM_ID "org.example.dorvane" CACHE STRING
    "The AppStream component identifier, the home page's domain reversed")
set(DORVANE_SCREENSHOT_URL "${DORVANE_HOMEPAGE}/dorvane.png" CACHE STRING
    "Where the AppStream screenshot (docs/dorvane.png) is published")
# A distribution's package carries the licence in its own copyright file (debian/copyright).
option(DORVANE_INSTALL_LICENSE "Install LICENSE into share/doc/dorvane" ON)

find_program(DORVANE_RSVG_CONVERT rsvg-convert)
if(NOT DORVANE_RSVG_CONVERT)
  message(FATAL_ERROR "The icons are rendered from resources/dorvane.svg with rsvg-convert: on "
                      "Debian, apt-get install librsvg2-bin (or run scripts/deps.sh).")
endif()

set(_packaging_dir ${PROJECT_BINARY_DIR}/packaging)
configure_file(${PROJECT_SOURCE_DIR}/packaging/dorvane.metainfo.xml.in
               ${_packaging_dir}/${DORVANE_APPSTREAM_ID}.metainfo.xml @ONLY)

# The manual pages name the installed files and carry the release's date.
set(DORVANE_MAN_DATADIR "${CMAKE_INSTALL_PREFIX}/${DORVANE_INSTALL_DATADIR}")
set(DORVANE_MAN_PLUGINDIR "${CMAKE_INSTALL_PREFIX}/${DORVANE_INSTALL_PLUGINDIR}")
configure_file(${PROJECT_SOURCE_DIR}/packaging/dorvane.1.in ${_packaging_dir}/en/dorvane.1 @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/dorvane.fr.1.in ${_packaging_dir}/fr/dorvane.1
               @ONLY)
install(FILES ${_packaging_dir}/en/dorvane.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${_packaging_dir}/fr/dorvane.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/fr/man1)

# The application icon in the sizes desktops look for, beside the SVG.
set(_icons)
foreach(_size 16 22 24 32 48 64 128 256)
  set(_png ${_packaging_dir}/icons/${_size}x${_size}/dorvane.png)
  add_custom_command(
    OUTPUT ${_png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_packaging_dir}/icons/${_size}x${_size}
    COMMAND ${DORVANE_RSVG_CONVERT} -w ${_size} -h ${_size} -o ${_png}
            ${PROJECT_SOURCE_DIR}/resources/dorvane.svg
    DEPENDS ${PROJECT_SOURCE_DIR}/resources/dorvane.svg
    VERBATIM)
  list(APPEND _icons ${_png})
  install(FILES ${_png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps)
endforeach()
add_custom_target(dorvane_icons ALL DEPENDS ${_icons})
install(FILES ${PROJECT_SOURCE_DIR}/resources/dorvane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The desktop entry keeps the name the program gives its windows (TApplication).
install(FILES ${PROJECT_SOURCE_DIR}/resources/dorvane.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_packaging_dir}/${DORVANE_APPSTREAM_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
if(DORVANE_INSTALL_LICENSE)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/dorvane)
endif()

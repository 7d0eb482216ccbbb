# What a system installation needs besides the program: the desktop entry, the icon, the
# AppStream metainfo, the manual page and the copyright file; and the Debian package made from
# all of it with CPack (scripts/package.sh). The Windows build installs only its program and
# help file, which scripts/package.sh puts into its installer and zip (packaging/windows/).
if(WIN32)
  return()
endif()

# The project has no public address yet: the home page, the screenshot's address, the
# AppStream identifier (the home page's domain reversed) and the maintainer are placeholders
# under example.org, to be set here (or on the command line) once it has one.
set(DORVANE_HOMEPAGE "https://dorvane.example.org" CACHE STRING
    "The program's home page, named by the AppStream metainfo")
set(DORVANE_APPSTREAM_ID "org.example.dorvane" CACHE STRING
    "The AppStream component identifier, the home page's domain reversed")
set(DORVANE_SCREENSHOT_URL "${DORVANE_HOMEPAGE}/dorvane.png" CACHE STRING
    "Where the AppStream screenshot (docs/dorvane.png) is published")
set(DORVANE_MAINTAINER "Les auteurs de Dorvane <dorvane@example.org>" CACHE STRING
    "The Debian package's maintainer, a name and an address")

set(_packaging_dir ${PROJECT_BINARY_DIR}/packaging)
configure_file(${PROJECT_SOURCE_DIR}/packaging/dorvane.metainfo.xml.in
               ${_packaging_dir}/${DORVANE_APPSTREAM_ID}.metainfo.xml @ONLY)

# The manual page, compressed as Debian ships them.
set(DORVANE_MAN_DATADIR "${CMAKE_INSTALL_PREFIX}/${DORVANE_INSTALL_DATADIR}")
set(DORVANE_MAN_PLUGINDIR "${CMAKE_INSTALL_PREFIX}/${DORVANE_INSTALL_PLUGINDIR}")
configure_file(${PROJECT_SOURCE_DIR}/packaging/dorvane.1.in ${_packaging_dir}/dorvane.1 @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${_packaging_dir}/changelog @ONLY)
find_program(GZIP_PROGRAM gzip REQUIRED)
foreach(_file dorvane.1 changelog)
  add_custom_command(
    OUTPUT ${_packaging_dir}/${_file}.gz
    COMMAND ${GZIP_PROGRAM} -9nc ${_packaging_dir}/${_file} > ${_packaging_dir}/${_file}.gz
    DEPENDS ${_packaging_dir}/${_file}
    COMMENT "Compressing ${_file}")
endforeach()
add_custom_target(dorvane_packaging_files ALL
  DEPENDS ${_packaging_dir}/dorvane.1.gz ${_packaging_dir}/changelog.gz)

# The desktop entry keeps the name the program gives its windows (TApplication).
install(FILES ${PROJECT_SOURCE_DIR}/resources/dorvane.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/dorvane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${_packaging_dir}/${DORVANE_APPSTREAM_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${_packaging_dir}/dorvane.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${_packaging_dir}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/dorvane)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dorvane)
set(CPACK_PACKAGE_VENDOR "Les auteurs de Dorvane")
set(CPACK_PACKAGE_CONTACT "${DORVANE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calendrier perpétuel avec les phases de la lune")
set(CPACK_PACKAGE_DESCRIPTION
    "Dorvane est un petit calendrier de bureau en français : la grille du mois,\n"
    "dont les semaines commencent le lundi, la date longue avec le numéro du jour\n"
    "dans la semaine et dans l'année, l'âge de la lune avec son quartier et une\n"
    "horloge. On y cherche aussi une date en tapant le jour, le mois et l'année.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${DORVANE_HOMEPAGE}")
# Dependencies from the binaries' libraries (Qt's X11 and SVG plugins come with libqt6gui6
# and libqt6svg6). The viewer plugin's ldconfig calls that CPack adds to the maintainer
# scripts are harmless: lib/dorvane is no library path.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR}/src/app)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-extra, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)

# The release record is debian/changelog, newest entry first: the program's version, the
# AppStream metainfo's releases and the manual pages' date are read from it, so that a release
# is written down once. Included before project(), which takes the version.
#   DORVANE_RELEASE_VERSION   the newest entry's upstream version (1.0.0 of 1.0.0-1)
#   DORVANE_RELEASE_DATE      its date, as YYYY-MM-DD
#   DORVANE_APPSTREAM_RELEASES  a <release> element per upstream version, newest first, dated
#                               by its first entry
set(_changelog ${CMAKE_CURRENT_LIST_DIR}/../debian/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_changelog})
file(STRINGS ${_changelog} _lines ENCODING UTF-8)

set(_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
set(_versions)
set(_version)
foreach(_line IN LISTS _lines)
  if(_line MATCHES "^[a-z0-9][a-z0-9.+-]* \\(([^)]+)\\)")
    # The upstream version: no epoch, no Debian revision.
    string(REGEX REPLACE "^[0-9]+:" "" _version "${CMAKE_MATCH_1}")
    string(REGEX REPLACE "-[^-]*$" "" _version "${_version}")
  elseif(_line MATCHES "^ -- .*  [A-Z][a-z][a-z], +([0-9]+) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    if(NOT _version)
      message(FATAL_ERROR "${_changelog}: a signature line without its entry: ${_line}")
    endif()
    list(FIND _months ${CMAKE_MATCH_2} _month)
    if(_month LESS 0)
      message(FATAL_ERROR "${_changelog}: unknown month in ${_line}")
    endif()
    math(EXPR _month "${_month} + 1")
    string(LENGTH "${CMAKE_MATCH_1}" _length)
    set(_day ${CMAKE_MATCH_1})
    if(_length EQUAL 1)
      set(_day 0${_day})
    endif()
    if(_month LESS 10)
      set(_month 0${_month})
    endif()
    if(NOT _versions)
      set(DORVANE_RELEASE_VERSION ${_version})
      set(DORVANE_RELEASE_DATE ${CMAKE_MATCH_3}-${_month}-${_day})
    endif()
    if(NOT _version IN_LIST _versions)
      list(APPEND _versions ${_version})
    endif()
    # Older entries come later: the last date kept is the version's first.
    set(_date_${_version} ${CMAKE_MATCH_3}-${_month}-${_day})
    set(_version)
  endif()
endforeach()
if(NOT _versions)
  message(FATAL_ERROR "${_changelog} holds no release")
endif()

set(DORVANE_APPSTREAM_RELEASES)
foreach(_version IN LISTS _versions)
  string(APPEND DORVANE_APPSTREAM_RELEASES
         "    <release version=\"${_version}\" date=\"${_date_${_version}}\"/>\n")
endforeach()
string(STRIP "${DORVANE_APPSTREAM_RELEASES}" DORVANE_APPSTREAM_RELEASES)

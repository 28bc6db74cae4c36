# Kestrel as an installed Linux application: the version every program
# prints, `cmake --install`, the desktop files, the manual pages and the
# Debian package (CPack). Included at the end of the top CMakeLists.txt, once
# every target exists.
#
# Installed layout under the prefix (/usr in the package):
#   lib/kestrel/            the application folder: programs, libraries,
#                           plugins/, _option/, skin/, language/ (manuals)
#   bin/kestrel, bin/kestrel-cli, bin/kestrel-cardgen
#                           relative links into lib/kestrel/; each program
#                           resolves its own file, so it finds its folder
#   share/applications, share/metainfo, share/icons/hicolor/scalable/apps,
#   share/man/man1, share/bash-completion/completions, share/doc/kestrel

set(KESTREL_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(KESTREL_INSTALL_APP_DIR lib/kestrel)
# The programs on PATH; the others stay build and test tools.
set(KESTREL_INSTALLED_PROGRAMS kestrel kestrel-cli kestrel-cardgen)
# The application's identity in the desktop files and the package. The
# addresses are settings so a distributor can point them at its own host.
set(KESTREL_APP_ID "org.example.kestrel" CACHE STRING "Desktop and AppStream id of the viewer")
set(KESTREL_HOMEPAGE "https://kestrel.example.org" CACHE STRING "Project home page")
set(KESTREL_MAINTAINER "Kestrel developers <maintainers@kestrel.example.org>" CACHE STRING
  "Maintainer named in the package")

# --- One version --------------------------------------------------------
# project(VERSION) is the only number: programs read it from a generated
# header, the option file and the changelog must agree with it.
configure_file(${CMAKE_SOURCE_DIR}/cmake/KestrelVersion.h.in
  ${CMAKE_BINARY_DIR}/version/KestrelVersion.h @ONLY)
add_library(kestrel_version INTERFACE)
target_include_directories(kestrel_version INTERFACE ${CMAKE_BINARY_DIR}/version)
foreach(program kestrel kestrel-cli kestrel-cardgen kestrel-player kestrel-screenshot)
  if(TARGET ${program})
    target_link_libraries(${program} PRIVATE kestrel_version)
  endif()
endforeach()

function(kestrel_require_version file regex what)
  file(STRINGS ${file} line REGEX "${regex}" LIMIT_COUNT 1)
  string(REGEX REPLACE ".*${regex}.*" "\\1" found "${line}")
  if(NOT found STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "${what} says version '${found}', the project is ${PROJECT_VERSION}: "
      "change both together (${file})")
  endif()
  set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
endfunction()
kestrel_require_version(${CMAKE_SOURCE_DIR}/data/_option/option.ini "^Version=([^ \t\r]*)" "the option file")
kestrel_require_version(${KESTREL_PACKAGING_DIR}/changelog "^kestrel \\(([^)]*)\\)" "the changelog's newest entry")

# The newest changelog entry's date (RFC 2822) as YYYY-MM-DD, for the
# release entry of the AppStream file.
file(STRINGS ${KESTREL_PACKAGING_DIR}/changelog trailer REGEX "^ -- .*>  " LIMIT_COUNT 1)
string(REGEX MATCH "([0-9]+) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9])" _ "${trailer}")
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months "${CMAKE_MATCH_2}" month)
if(month LESS 0)
  message(FATAL_ERROR "packaging/changelog: no date in the newest entry's trailer line")
endif()
math(EXPR month "${month} + 1")
string(LENGTH "${month}" len)
if(len EQUAL 1)
  set(month "0${month}")
endif()
set(day "${CMAKE_MATCH_1}")
string(LENGTH "${day}" len)
if(len EQUAL 1)
  set(day "0${day}")
endif()
set(KESTREL_RELEASE_DATE "${CMAKE_MATCH_3}-${month}-${day}")

# --- The application folder -----------------------------------------------
# Folders made by the install are 0755 whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
# Shared libraries the installed programs link, followed through the link
# interfaces of our own targets (imported system libraries are left to the
# package's dependencies).
function(kestrel_collect_shared out)
  set(seen)
  set(todo ${ARGN})
  while(todo)
    list(POP_FRONT todo t)
    if(NOT TARGET ${t} OR t IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${t})
    get_target_property(imported ${t} IMPORTED)
    if(imported)
      continue()
    endif()
    get_target_property(type ${t} TYPE)
    set(links)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(direct ${t} LINK_LIBRARIES)
      if(direct)
        list(APPEND links ${direct})
      endif()
    endif()
    get_target_property(iface ${t} INTERFACE_LINK_LIBRARIES)
    if(iface)
      list(APPEND links ${iface})
    endif()
    foreach(l IN LISTS links)
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" l "${l}")
      if(TARGET ${l})
        list(APPEND todo ${l})
      endif()
    endforeach()
  endwhile()
  set(shared)
  foreach(t IN LISTS seen)
    get_target_property(type ${t} TYPE)
    get_target_property(imported ${t} IMPORTED)
    if(type STREQUAL "SHARED_LIBRARY" AND NOT imported)
      list(APPEND shared ${t})
    endif()
  endforeach()
  set(${out} ${shared} PARENT_SCOPE)
endfunction()

kestrel_collect_shared(kestrel_installed_libraries ${KESTREL_INSTALLED_PROGRAMS})
install(TARGETS ${KESTREL_INSTALLED_PROGRAMS} ${kestrel_installed_libraries}
  RUNTIME DESTINATION ${KESTREL_INSTALL_APP_DIR}
  LIBRARY DESTINATION ${KESTREL_INSTALL_APP_DIR})
install(TARGETS recplugin LIBRARY DESTINATION ${KESTREL_INSTALL_APP_DIR}/plugins)
# The staged data folders: option file, skin, languages with the rendered
# manuals beside each language file.
install(DIRECTORY ${KESTREL_APP_DIR}/_option ${KESTREL_APP_DIR}/skin ${KESTREL_APP_DIR}/language
  DESTINATION ${KESTREL_INSTALL_APP_DIR}
  PATTERN leaflet EXCLUDE)
# The map page's script library is the system's (libjs-leaflet, a package
# dependency): each language folder's copy of it becomes a link to it,
# relative when installed under /usr so the package holds no absolute link.
set(KESTREL_SYSTEM_LEAFLET /usr/share/javascript/leaflet)
install(CODE "set(KESTREL_STAGED_LANGUAGE_DIR \"${KESTREL_APP_DIR}/language\")
  set(KESTREL_INSTALLED_LANGUAGE_DIR \"${KESTREL_INSTALL_APP_DIR}/language\")
  set(KESTREL_SYSTEM_LEAFLET \"${KESTREL_SYSTEM_LEAFLET}\")")
install(SCRIPT ${CMAKE_SOURCE_DIR}/cmake/KestrelInstallLeaflet.cmake)

# bin/ holds relative links, made here once and installed as links.
set(link_dir ${CMAKE_BINARY_DIR}/install-links)
file(MAKE_DIRECTORY ${link_dir})
set(links)
foreach(program IN LISTS KESTREL_INSTALLED_PROGRAMS)
  file(CREATE_LINK ../${KESTREL_INSTALL_APP_DIR}/${program} ${link_dir}/${program} SYMBOLIC)
  list(APPEND links ${link_dir}/${program})
endforeach()
install(FILES ${links} DESTINATION bin)

# --- Desktop integration ----------------------------------------------------
configure_file(${KESTREL_PACKAGING_DIR}/kestrel.desktop.in
  ${CMAKE_BINARY_DIR}/packaging/${KESTREL_APP_ID}.desktop @ONLY)
configure_file(${KESTREL_PACKAGING_DIR}/kestrel.metainfo.xml.in
  ${CMAKE_BINARY_DIR}/packaging/${KESTREL_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${KESTREL_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${KESTREL_APP_ID}.metainfo.xml DESTINATION share/metainfo)
# The bird mark of the skin is the icon.
install(FILES ${CMAKE_SOURCE_DIR}/data/skin/main_icon.svg
  DESTINATION share/icons/hicolor/scalable/apps RENAME ${KESTREL_APP_ID}.svg)
install(FILES ${KESTREL_PACKAGING_DIR}/completion/kestrel-cli
  DESTINATION share/bash-completion/completions)

# --- Manual pages -------------------------------------------------------------
# One scdoc source per program, the version filled in at configure time and
# rendered (compressed, as Debian installs them) at build time.
find_program(KESTREL_SCDOC scdoc)
set(KESTREL_HAS_MANPAGES OFF)
if(KESTREL_SCDOC)
  set(KESTREL_HAS_MANPAGES ON)
  set(pages)
  foreach(program IN LISTS KESTREL_INSTALLED_PROGRAMS)
    set(source ${KESTREL_PACKAGING_DIR}/man/${program}.1.scd)
    set(filled ${CMAKE_BINARY_DIR}/man/${program}.1.scd)
    set(page ${CMAKE_BINARY_DIR}/man/${program}.1.gz)
    configure_file(${source} ${filled} @ONLY)
    add_custom_command(OUTPUT ${page}
      COMMAND sh -c "\"$0\" < \"$1\" | gzip -9n > \"$2\"" ${KESTREL_SCDOC} ${filled} ${page}
      DEPENDS ${filled}
      COMMENT "Rendering the manual page ${program}(1)"
      VERBATIM)
    list(APPEND pages ${page})
  endforeach()
  add_custom_target(kestrel_manpages ALL DEPENDS ${pages})
  install(FILES ${pages} DESTINATION share/man/man1)
else()
  message(STATUS "scdoc not found: the manual pages are left out (scripts/install-deps.sh installs it)")
endif()

# --- Licence and changelog --------------------------------------------------------
set(changelog_gz ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${changelog_gz}
  COMMAND sh -c "gzip -9n < \"$0\" > \"$1\"" ${KESTREL_PACKAGING_DIR}/changelog ${changelog_gz}
  DEPENDS ${KESTREL_PACKAGING_DIR}/changelog
  VERBATIM)
add_custom_target(kestrel_changelog ALL DEPENDS ${changelog_gz})
install(FILES ${KESTREL_PACKAGING_DIR}/copyright ${changelog_gz} DESTINATION share/doc/kestrel)

# --- Debian package -------------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${KESTREL_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for dash-camera recordings")
# The long description; CPack puts the summary above it and indents it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Kestrel reads a dash camera's memory card (or any folder), lists the
recordings by type and start time, and plays every camera channel side by
side with sound, together with the vehicle's track on a map, its speed and
coordinates and the G-sensor readings at the play position.

The package also holds kestrel-cli, which lists a card and exports its GPS
tracks (GPX, KML) and G-sensor samples (CSV), and kestrel-cardgen, which
writes sample cards.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${KESTREL_HOMEPAGE}")
# Libraries the programs link are found by dpkg-shlibdeps; what is loaded at
# run time is named here: the SVG picture plug-in of the skin, the fonts the
# language files name, and the map page's script library.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
  "${CPACK_PACKAGING_INSTALL_PREFIX}/${KESTREL_INSTALL_APP_DIR}")
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, fonts-dejavu-core, fonts-noto-cjk, libjs-leaflet")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)

# --- The test command's checks --------------------------------------------------
if(KESTREL_TESTS)
  add_subdirectory(${KESTREL_PACKAGING_DIR}/tests ${CMAKE_BINARY_DIR}/packaging-tests)
endif()

# Installing Verosa like any desktop application, and a Debian package of the
# same installation.
#
#   cmake --install build [--prefix /usr/local]   # the default prefix
#   cd build && cpack -G DEB                       # verosa_<version>_<arch>.deb, prefix /usr
#
# The layout is fixed relative to the prefix, because the programs find their
# files from their own folder: bin/verosa and bin/verosa-cli, the two table
# files in share/verosa and the user guide in share/verosa/guide (both looked
# for in ../share/verosa when they are not beside the program), the desktop
# entry, the case-file MIME type (*.vcase) and the program's icon.

set(VEROSA_DATA_DIR share/verosa)

if(VEROSA_GUI)
  install(TARGETS verosa RUNTIME DESTINATION bin)
endif()
install(TARGETS verosa-cli RUNTIME DESTINATION bin)
install(FILES
  ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/2001QORA.sqlite
  ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/factor.sqlite
  DESTINATION ${VEROSA_DATA_DIR})
install(FILES ${VEROSA_GUIDE_PAGES} DESTINATION ${VEROSA_DATA_DIR}/guide)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION share/doc/verosa)

set(VEROSA_INSTALL_FILES ${PROJECT_SOURCE_DIR}/data/install)
if(VEROSA_GUI)
  install(FILES ${VEROSA_INSTALL_FILES}/verosa.desktop DESTINATION share/applications)
  install(FILES ${VEROSA_INSTALL_FILES}/verosa.svg DESTINATION share/icons/hicolor/scalable/apps)
endif()
install(FILES ${VEROSA_INSTALL_FILES}/verosa-case.xml DESTINATION share/mime/packages)

# A direct installation brings the desktop's MIME and application databases up
# to date, so that a double click on a case opens it. A staged installation
# (DESTDIR) and the package leave that to the system: Debian's
# shared-mime-info and desktop-file-utils do it when the package is installed.
install(CODE [[
  if("$ENV{DESTDIR}" STREQUAL "" AND NOT CMAKE_INSTALL_PREFIX MATCHES "/_CPack_Packages/")
    find_program(VEROSA_UPDATE_MIME update-mime-database)
    find_program(VEROSA_UPDATE_DESKTOP update-desktop-database)
    if(VEROSA_UPDATE_MIME)
      execute_process(COMMAND ${VEROSA_UPDATE_MIME} ${CMAKE_INSTALL_PREFIX}/share/mime)
    endif()
    if(VEROSA_UPDATE_DESKTOP AND EXISTS ${CMAKE_INSTALL_PREFIX}/share/applications)
      execute_process(COMMAND ${VEROSA_UPDATE_DESKTOP} ${CMAKE_INSTALL_PREFIX}/share/applications)
    endif()
  endif()
]])

# ---- the Debian package ----

set(VEROSA_PACKAGE_MAINTAINER "Verosa maintainers <verosa@localhost>"
  CACHE STRING "The Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME verosa)
set(CPACK_PACKAGE_VENDOR Verosa)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "road capacity and level-of-service analyses with Korean reports")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Verosa analyses the capacity and level of service of road facilities by the\n"
  "methods of the national road-capacity manual (2001 edition): basic freeway\n"
  "segments, weaving sections and ramp junctions, multilane and two-lane\n"
  "highways, signalized and unsignalized intersections, urban arterials,\n"
  "transit stops, pedestrian and bicycle facilities. Every analysis writes a\n"
  "fixed-width Korean report that shows each step of the computation.\n"
  "Inputs are kept in case files (*.vcase); verosa-cli runs every analysis\n"
  "without a display.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VEROSA_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Debian 12 (bookworm) runtime packages: the libraries the programs link (as
# dpkg-shlibdeps finds them; a test checks that this list covers them), the
# Qt platform plugin the window needs, the NanumGothicCoding font of the
# reports, and Qt's Korean translations for its own dialogs.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6 (>= 2.34), libgcc-s1 (>= 3.0), libstdc++6 (>= 11), libsqlite3-0 (>= 3.5.9)")
if(VEROSA_GUI)
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS
    ", libqt6core6 (>= 6.4.0), libqt6gui6 (>= 6.4.0), libqt6widgets6 (>= 6.3.0), libqt6printsupport6 (>= 6.1.2)"
    ", qt6-qpa-plugins, fonts-nanum")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
endif()
include(CPack)

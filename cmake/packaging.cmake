# Installation and packages. Arbrel finds its settings in the "data"
# directory and its catalogues in "locale" beside its executables, so the
# programs, data and locale share one directory:
#
#   cmake --install build --prefix DIR   a portable directory DIR (as the .tar.gz)
#   cpack (or the `package` target)      arbrel-VERSION-Linux.tar.gz and a .deb
#
# The .deb puts that directory at /opt/arbrel and adds the "system" component:
# launchers in /usr/bin, the desktop entry, the icons and the man page in
# /usr/share. The "system" component uses absolute destinations, so plain
# `cmake --install` leaves it out.

if(WIN32)
  include(${CMAKE_SOURCE_DIR}/cmake/packaging-windows.cmake)
  return()
endif()

set(ARBREL_DEB_PREFIX /opt/arbrel)
set(ARBREL_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)

# The portable directory: programs, data, catalogues, the demo installation.
set(ARBREL_INSTALLED_PROGRAMS arbrel-cli)
if(TARGET arbrel)
  list(PREPEND ARBREL_INSTALLED_PROGRAMS arbrel)
endif()
install(TARGETS ${ARBREL_INSTALLED_PROGRAMS} RUNTIME DESTINATION . COMPONENT app)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/samples/data/ DESTINATION data COMPONENT app)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/samples/ DESTINATION samples COMPONENT app
        PATTERN .gitkeep EXCLUDE)
install(DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/locale/ DESTINATION locale COMPONENT app OPTIONAL)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION . COMPONENT app)

# Desktop entry, icons and man page inside the portable directory, for a user
# to link into ~/.local/share; the .deb has them in /usr/share instead.
install(FILES ${ARBREL_PACKAGING_DIR}/arbrel.desktop DESTINATION share/applications COMPONENT share)
install(FILES ${ARBREL_PACKAGING_DIR}/arbrel.svg
        DESTINATION share/icons/hicolor/scalable/apps COMPONENT share)
install(FILES ${ARBREL_PACKAGING_DIR}/arbrel-48.png RENAME arbrel.png
        DESTINATION share/icons/hicolor/48x48/apps COMPONENT share)
install(FILES ${ARBREL_PACKAGING_DIR}/arbrel-cli.1 DESTINATION share/man/man1 COMPONENT share)

# The .deb's system integration.
set(ARBREL_LAUNCHER_DIR ${CMAKE_BINARY_DIR}/packaging)
configure_file(${ARBREL_PACKAGING_DIR}/arbrel.in ${ARBREL_LAUNCHER_DIR}/arbrel @ONLY)
configure_file(${ARBREL_PACKAGING_DIR}/arbrel-cli.in ${ARBREL_LAUNCHER_DIR}/arbrel-cli @ONLY)
set(ARBREL_MAN_GZ ${ARBREL_LAUNCHER_DIR}/arbrel-cli.1.gz)
add_custom_command(OUTPUT ${ARBREL_MAN_GZ}
  COMMAND gzip -9 -n -c ${ARBREL_PACKAGING_DIR}/arbrel-cli.1 > ${ARBREL_MAN_GZ}
  DEPENDS ${ARBREL_PACKAGING_DIR}/arbrel-cli.1)
add_custom_target(man_page ALL DEPENDS ${ARBREL_MAN_GZ})

if(TARGET arbrel)
  install(PROGRAMS ${ARBREL_LAUNCHER_DIR}/arbrel DESTINATION /usr/bin COMPONENT system EXCLUDE_FROM_ALL)
endif()
install(PROGRAMS ${ARBREL_LAUNCHER_DIR}/arbrel-cli DESTINATION /usr/bin COMPONENT system EXCLUDE_FROM_ALL)
install(FILES ${ARBREL_PACKAGING_DIR}/arbrel.desktop
        DESTINATION /usr/share/applications COMPONENT system EXCLUDE_FROM_ALL)
install(FILES ${ARBREL_PACKAGING_DIR}/arbrel.svg
        DESTINATION /usr/share/icons/hicolor/scalable/apps COMPONENT system EXCLUDE_FROM_ALL)
install(FILES ${ARBREL_PACKAGING_DIR}/arbrel-48.png RENAME arbrel.png
        DESTINATION /usr/share/icons/hicolor/48x48/apps COMPONENT system EXCLUDE_FROM_ALL)
install(FILES ${ARBREL_MAN_GZ} DESTINATION /usr/share/man/man1 COMPONENT system EXCLUDE_FROM_ALL)

set(CPACK_PACKAGE_NAME arbrel)
set(CPACK_PACKAGE_VENDOR "Arbrel")
set(CPACK_PACKAGE_CONTACT "Arbrel maintainers <arbrel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Foliage placement for Call of Duty level-editor maps")
set(CPACK_PACKAGE_DESCRIPTION
  "Arbrel reads a level-editor .map file, finds its terrain mesh patches and writes a new map with foliage models scattered over them by user-edited rules. It comes as a desktop application (arbrel) and a batch tool (arbrel-cli).")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_GENERATOR "TGZ;DEB")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://example.invalid/arbrel")
# dpkg-shlibdeps (dpkg-dev) derives the library packages (wx 3.2 GTK3,
# zlib, libstdc++) from the executables; the explicit list
# is for machines without it.
find_program(ARBREL_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(ARBREL_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libwxgtk3.2-1, zlib1g, libstdc++6, libc6")
endif()

# Per generator: which components go in, and where.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/packaging/cpack_generators.cmake)
# Components are picked per generator, all of them in one package.
file(WRITE ${CPACK_PROJECT_CONFIG_FILE} "
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
if(CPACK_GENERATOR STREQUAL \"DEB\")
  set(CPACK_DEB_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_ALL app system)
  set(CPACK_SET_DESTDIR ON)
  set(CPACK_INSTALL_PREFIX ${ARBREL_DEB_PREFIX})
  set(CPACK_PACKAGING_INSTALL_PREFIX ${ARBREL_DEB_PREFIX})
else()
  set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
  set(CPACK_COMPONENTS_ALL app share)
endif()
")

include(CPack)

if(ARBREL_BUILD_TESTS)
  add_test(NAME man_page_matches_help
    COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:arbrel-cli> -DMAN=${ARBREL_PACKAGING_DIR}/arbrel-cli.1
            -P ${ARBREL_PACKAGING_DIR}/check_man_page.cmake)
  find_program(ARBREL_DESKTOP_FILE_VALIDATE desktop-file-validate)
  if(ARBREL_DESKTOP_FILE_VALIDATE)
    add_test(NAME desktop_entry_valid
      COMMAND ${ARBREL_DESKTOP_FILE_VALIDATE} ${ARBREL_PACKAGING_DIR}/arbrel.desktop)
  endif()
endif()

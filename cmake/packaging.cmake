# Installation and packages.
#
#   cmake --install build --prefix DIR   a portable directory DIR (as the .tar.gz):
#                                        programs, `data` and `locale` beside them
#   cpack (or the `package` target)      arbrel-VERSION-Linux.tar.gz and a .deb
#
# The .deb has its own layout, from the "deb" component only (absolute
# destinations, so plain `cmake --install` leaves it out): programs in
# /usr/lib/arbrel, launchers in /usr/bin that hand them the user's data
# directory, the demo classes and map in /usr/share/arbrel, catalogues in
# /usr/share/locale. Every installed file is named here, so nothing that
# happens to lie in samples/ (a run's output) is packaged.

if(WIN32)
  include(${CMAKE_SOURCE_DIR}/cmake/packaging-windows.cmake)
  return()
endif()

set(ARBREL_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(ARBREL_DEB_LIBDIR /usr/lib/arbrel)
set(ARBREL_DEB_SHAREDIR /usr/share/arbrel)
set(ARBREL_SAMPLE_CLASSES maps/demo.csv models/grass.csv models/rocks.csv models/shrubs.csv
    models/trees.csv)
set(ARBREL_SAMPLE_MAPS map_source/mp_demo.map)

set(ARBREL_INSTALLED_PROGRAMS arbrel-cli)
if(TARGET arbrel)
  list(PREPEND ARBREL_INSTALLED_PROGRAMS arbrel)
endif()

# Installs the demo classes into DATA and the demo installation into SAMPLES
# for COMPONENT, file by file.
function(arbrel_install_samples data samples component)
  set(exclude)
  if(component STREQUAL "deb")
    set(exclude EXCLUDE_FROM_ALL)
  endif()
  foreach(file ${ARBREL_SAMPLE_CLASSES})
    get_filename_component(dir ${file} DIRECTORY)
    install(FILES ${CMAKE_SOURCE_DIR}/samples/data/${file} DESTINATION ${data}/${dir}
            COMPONENT ${component} ${exclude})
  endforeach()
  foreach(file ${ARBREL_SAMPLE_MAPS})
    get_filename_component(dir ${file} DIRECTORY)
    install(FILES ${CMAKE_SOURCE_DIR}/samples/install/${file} DESTINATION ${samples}/install/${dir}
            COMPONENT ${component} ${exclude})
  endforeach()
  # An installation directory needs Docs/model_pics to be remembered.
  install(DIRECTORY DESTINATION ${samples}/install/Docs/model_pics COMPONENT ${component} ${exclude})
endfunction()

# The portable directory.
install(TARGETS ${ARBREL_INSTALLED_PROGRAMS} RUNTIME DESTINATION . COMPONENT app)
arbrel_install_samples(data samples app)
install(DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/locale/ DESTINATION locale COMPONENT app OPTIONAL)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION . COMPONENT app)
# A desktop entry needs the program's absolute path, which only the unpacked
# folder knows: add-to-menu writes one for the current user.
install(PROGRAMS ${ARBREL_PACKAGING_DIR}/add-to-menu DESTINATION . COMPONENT share)
install(FILES ${ARBREL_PACKAGING_DIR}/arbrel.svg
        DESTINATION share/icons/hicolor/scalable/apps COMPONENT share)
install(FILES ${ARBREL_PACKAGING_DIR}/arbrel-48.png RENAME arbrel.png
        DESTINATION share/icons/hicolor/48x48/apps COMPONENT share)
install(FILES ${ARBREL_PACKAGING_DIR}/arbrel.1 ${ARBREL_PACKAGING_DIR}/arbrel-cli.1
        DESTINATION share/man/man1 COMPONENT share)

# The .deb.
set(ARBREL_LAUNCHER_DIR ${CMAKE_BINARY_DIR}/packaging)
configure_file(${ARBREL_PACKAGING_DIR}/arbrel.in ${ARBREL_LAUNCHER_DIR}/arbrel @ONLY)
configure_file(${ARBREL_PACKAGING_DIR}/arbrel-cli.in ${ARBREL_LAUNCHER_DIR}/arbrel-cli @ONLY)
set(ARBREL_DEB_DOCS ${ARBREL_LAUNCHER_DIR}/arbrel.1.gz ${ARBREL_LAUNCHER_DIR}/arbrel-cli.1.gz
    ${ARBREL_LAUNCHER_DIR}/changelog.gz)
foreach(source arbrel.1 arbrel-cli.1 changelog)
  add_custom_command(OUTPUT ${ARBREL_LAUNCHER_DIR}/${source}.gz
    COMMAND gzip -9 -n -c ${ARBREL_PACKAGING_DIR}/${source} > ${ARBREL_LAUNCHER_DIR}/${source}.gz
    DEPENDS ${ARBREL_PACKAGING_DIR}/${source})
endforeach()
add_custom_target(deb_docs ALL DEPENDS ${ARBREL_DEB_DOCS})

install(TARGETS ${ARBREL_INSTALLED_PROGRAMS} RUNTIME DESTINATION ${ARBREL_DEB_LIBDIR}
        COMPONENT deb EXCLUDE_FROM_ALL)
arbrel_install_samples(${ARBREL_DEB_SHAREDIR}/data ${ARBREL_DEB_SHAREDIR}/samples deb)
install(DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/locale/ DESTINATION /usr/share/locale
        COMPONENT deb EXCLUDE_FROM_ALL OPTIONAL)
set(ARBREL_LAUNCHERS ${ARBREL_LAUNCHER_DIR}/arbrel-cli)
if(TARGET arbrel)
  list(PREPEND ARBREL_LAUNCHERS ${ARBREL_LAUNCHER_DIR}/arbrel)
  install(FILES ${ARBREL_PACKAGING_DIR}/arbrel.desktop
          DESTINATION /usr/share/applications COMPONENT deb EXCLUDE_FROM_ALL)
endif()
install(PROGRAMS ${ARBREL_LAUNCHERS} DESTINATION /usr/bin COMPONENT deb EXCLUDE_FROM_ALL)
install(FILES ${ARBREL_PACKAGING_DIR}/arbrel.svg
        DESTINATION /usr/share/icons/hicolor/scalable/apps COMPONENT deb EXCLUDE_FROM_ALL)
install(FILES ${ARBREL_PACKAGING_DIR}/arbrel-48.png RENAME arbrel.png
        DESTINATION /usr/share/icons/hicolor/48x48/apps COMPONENT deb EXCLUDE_FROM_ALL)
install(FILES ${ARBREL_LAUNCHER_DIR}/arbrel.1.gz ${ARBREL_LAUNCHER_DIR}/arbrel-cli.1.gz
        DESTINATION /usr/share/man/man1 COMPONENT deb EXCLUDE_FROM_ALL)
install(FILES ${ARBREL_PACKAGING_DIR}/copyright ${ARBREL_LAUNCHER_DIR}/changelog.gz
        ${CMAKE_SOURCE_DIR}/README.md DESTINATION /usr/share/doc/arbrel COMPONENT deb EXCLUDE_FROM_ALL)

set(CPACK_PACKAGE_NAME arbrel)
set(CPACK_PACKAGE_VENDOR "Arbrel")
set(CPACK_PACKAGE_CONTACT "Arbrel maintainers <maintainers@arbrel.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Foliage placement for Call of Duty level-editor maps")
set(CPACK_PACKAGE_DESCRIPTION
  "Arbrel reads a level-editor .map file, finds its terrain mesh patches and
writes a new map with foliage models scattered over them by user-edited
rules. It comes as a desktop application (arbrel) and a batch tool
(arbrel-cli).")
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
  set(CPACK_COMPONENTS_ALL deb)
  set(CPACK_SET_DESTDIR ON)
  set(CPACK_INSTALL_PREFIX /usr)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
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
  if(TARGET arbrel)
    add_test(NAME installed_files_and_launchers
      COMMAND sh ${ARBREL_PACKAGING_DIR}/check_install.sh ${CMAKE_BINARY_DIR})
    set_tests_properties(installed_files_and_launchers PROPERTIES TIMEOUT 120)
  endif()
  find_program(ARBREL_DESKTOP_FILE_VALIDATE desktop-file-validate)
  if(ARBREL_DESKTOP_FILE_VALIDATE)
    add_test(NAME desktop_entry_valid
      COMMAND ${ARBREL_DESKTOP_FILE_VALIDATE} ${ARBREL_PACKAGING_DIR}/arbrel.desktop)
  endif()
endif()

# The Windows zip, arbrel-VERSION-win64.zip: one directory with the programs
# (statically linked, no DLL beside them), data\ with the demo classes (the
# settings the programs find beside themselves), samples\ with the demo
# installation, the catalogues, README and LICENSE.

set(ARBREL_INSTALLED_PROGRAMS arbrel-cli)
if(TARGET arbrel)
  list(PREPEND ARBREL_INSTALLED_PROGRAMS arbrel)
endif()
install(TARGETS ${ARBREL_INSTALLED_PROGRAMS} RUNTIME DESTINATION .)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/samples/data/ DESTINATION data)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/samples/ DESTINATION samples PATTERN .gitkeep EXCLUDE)
install(DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/locale/ DESTINATION locale OPTIONAL)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION .)

set(CPACK_PACKAGE_NAME arbrel)
set(CPACK_PACKAGE_VENDOR "Arbrel")
set(CPACK_PACKAGE_FILE_NAME arbrel-${PROJECT_VERSION}-win64)
set(CPACK_GENERATOR ZIP)
set(CPACK_STRIP_FILES ON)
include(CPack)

# arbrel.exe is a GUI program (no console window) with the package's icon, a
# version resource and a manifest (common controls 6, per-monitor DPI).
include(${CMAKE_SOURCE_DIR}/cmake/version_resource.cmake)
set(ARBREL_ICON "${CMAKE_SOURCE_DIR}/packaging/arbrel.ico")
set(ARBREL_MANIFEST "${CMAKE_BINARY_DIR}/arbrel.manifest")
set(ARBREL_VERSION_QUAD "${PROJECT_VERSION}.0")
configure_file(${CMAKE_SOURCE_DIR}/app/windows/arbrel.manifest ${ARBREL_MANIFEST} @ONLY)
arbrel_add_resources(arbrel ${CMAKE_SOURCE_DIR}/app/windows/arbrel.rc.in)
set_target_properties(arbrel PROPERTIES WIN32_EXECUTABLE ON)

# Windows resources of an executable: its .rc.in (configured beside the
# shared version block, version_info.rc, into the build directory) is
# compiled into `target`.
function(arbrel_add_resources target rc_in)
  enable_language(RC)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version_info.rc.in ${PROJECT_BINARY_DIR}/version_info.rc @ONLY)
  get_filename_component(name ${rc_in} NAME_WE)
  configure_file(${rc_in} ${PROJECT_BINARY_DIR}/${name}.rc @ONLY)
  target_sources(${target} PRIVATE ${PROJECT_BINARY_DIR}/${name}.rc)
endfunction()

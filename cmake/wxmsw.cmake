# wxWidgets for Windows: the static MSW build that scripts/build-wxmsw makes
# once per machine in a cache outside the clone. ARBREL_WXMSW_PREFIX names
# that cache (scripts/build-windows passes it). Defines the interface target
# `wxmsw` with the toolkit's flags and libraries, and `wxmsw_rc_includes`, the
# directories the resource compiler needs for wx/msw/wx.rc.

set(ARBREL_WXMSW_PREFIX "" CACHE PATH "wxWidgets for Windows, as installed by scripts/build-wxmsw")
set(wxmsw_config "${ARBREL_WXMSW_PREFIX}/bin/wx-config")
if(NOT ARBREL_WXMSW_PREFIX OR NOT EXISTS "${wxmsw_config}")
  message(FATAL_ERROR "wxWidgets for Windows not found at '${ARBREL_WXMSW_PREFIX}': "
                      "run scripts/build-wxmsw and pass its output as -DARBREL_WXMSW_PREFIX=..., "
                      "or configure with -DARBREL_BUILD_GUI=OFF")
endif()

# The toolkit built with OpenGL (the 3D preview) has the gl library; one
# built without it gives a window whose 3D page says so.
execute_process(COMMAND sh "${wxmsw_config}" --prefix=${ARBREL_WXMSW_PREFIX} --static=yes --unicode=yes
                        --libs gl,core,base,adv
                OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE wxmsw_without_gl)
if(wxmsw_without_gl)
  set(wxmsw_components core,base,adv)
else()
  set(wxmsw_components gl,core,base,adv)
endif()

function(wxmsw_query out)
  execute_process(COMMAND sh "${wxmsw_config}" --prefix=${ARBREL_WXMSW_PREFIX} --static=yes
                          --unicode=yes ${ARGN} ${wxmsw_components}
                  OUTPUT_VARIABLE text RESULT_VARIABLE failed OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(failed)
    message(FATAL_ERROR "${wxmsw_config} ${ARGN} failed")
  endif()
  separate_arguments(text UNIX_COMMAND "${text}")
  set(${out} ${text} PARENT_SCOPE)
endfunction()

wxmsw_query(wxmsw_cxxflags --cxxflags)
wxmsw_query(wxmsw_libs --libs)

add_library(wxmsw INTERFACE)
set(wxmsw_rc_includes "")
foreach(flag IN LISTS wxmsw_cxxflags)
  if(flag MATCHES "^-I(.+)")
    target_include_directories(wxmsw SYSTEM INTERFACE "${CMAKE_MATCH_1}")
    list(APPEND wxmsw_rc_includes "${CMAKE_MATCH_1}")
  elseif(flag MATCHES "^-D(.+)")
    target_compile_definitions(wxmsw INTERFACE "${CMAKE_MATCH_1}")
  else()
    target_compile_options(wxmsw INTERFACE "$<$<COMPILE_LANGUAGE:CXX>:${flag}>")
  endif()
endforeach()
# The GUI subsystem is the executable's own choice (WIN32_EXECUTABLE): the
# test programs linked with the same libraries keep their console.
list(FILTER wxmsw_libs EXCLUDE REGEX "^(-mwindows|-Wl,--subsystem,windows)$")
target_link_libraries(wxmsw INTERFACE ${wxmsw_libs})
if(NOT wxmsw_without_gl)
  target_link_libraries(wxmsw INTERFACE opengl32)
  target_compile_definitions(wxmsw INTERFACE ARBREL_HAVE_GL=1)
endif()

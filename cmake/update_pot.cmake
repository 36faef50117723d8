# Extracts every translatable text of the window, the dialogs and arbrel-cli
# (the _(), wxTRANSLATE() and the core's N_() marks) into a gettext template.
#
#   cmake -DXGETTEXT=... -DSOURCE_DIR=... -DOUTPUT=file.pot [-DREFERENCE=po/arbrel.pot] -P update_pot.cmake
#
# With REFERENCE the new template is compared with it, the POT-Creation-Date
# line aside, and the script fails when they differ (the catalogue is out of date).

file(GLOB sources RELATIVE ${SOURCE_DIR}
  ${SOURCE_DIR}/app/*.cpp ${SOURCE_DIR}/app/*.h
  ${SOURCE_DIR}/dialogs/*.cpp ${SOURCE_DIR}/dialogs/*.h
  ${SOURCE_DIR}/cli/*.cpp ${SOURCE_DIR}/cli/*.h
  ${SOURCE_DIR}/text/*.cpp ${SOURCE_DIR}/io/*.cpp ${SOURCE_DIR}/config/*.cpp ${SOURCE_DIR}/engine/*.cpp
  ${SOURCE_DIR}/ui_logic/*.cpp ${SOURCE_DIR}/preview/*.cpp)
list(SORT sources)

execute_process(
  COMMAND ${XGETTEXT} --language=C++ --from-code=UTF-8 --keyword=_ --keyword=N_ --keyword=wxTRANSLATE
          --keyword=wxPLURAL:1,2 --add-location=file --add-comments=TRANSLATORS --force-po --package-name=Arbrel
          --msgid-bugs-address= --output=${OUTPUT} ${sources}
  WORKING_DIRECTORY ${SOURCE_DIR}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "xgettext failed (${status})")
endif()

if(DEFINED REFERENCE)
  if(NOT EXISTS ${REFERENCE})
    message(FATAL_ERROR "${REFERENCE} is missing: run the 'pot' target (cmake --build build --target pot).")
  endif()
  file(READ ${OUTPUT} generated)
  file(READ ${REFERENCE} committed)
  string(REGEX REPLACE "\"POT-Creation-Date: [^\n]*\n" "" generated "${generated}")
  string(REGEX REPLACE "\"POT-Creation-Date: [^\n]*\n" "" committed "${committed}")
  if(NOT generated STREQUAL committed)
    message(FATAL_ERROR "${REFERENCE} is out of date: run the 'pot' target "
                        "(cmake --build build --target pot) and commit the result.")
  endif()
endif()

# A layer "dxf" that links support (and through it platform) and two files
# of it: the include check must name the source's include of a layer above
# and its include by a relative path, let the header's include of what dxf
# links pass, and leave no stamp; without the crossing includes it passes.
#   cmake -D CHECK=<check_includes.cmake> -D WORK=<scratch folder> -P refuses_crossing_includes.cmake
file(REMOVE_RECURSE ${WORK})
file(WRITE ${WORK}/src/dxf/reader.h "#pragma once\n#include \"support/result.h\"\n")
file(WRITE ${WORK}/src/dxf/reader.cpp
  "#include \"dxf/reader.h\"\n#include \"platform/file_system.h\"\n"
  "  #  include \"app/gui/main_form.h\"\n#include \"../app/job_runner.h\"\n")

function(check_layer sources result_variable errors_variable)
  file(WRITE ${WORK}/rules.cmake
    "set(PROJECT_DIR \"${WORK}\")\n"
    "set(LAYER dxf)\n"
    "set(KNOWN_FOLDERS \"platform;support;dxf;app;app/gui\")\n"
    "set(HEADERS \"${WORK}/src/dxf/reader.h\")\n"
    "set(HEADER_FOLDERS \"dxf;support;platform\")\n"
    "set(SOURCES \"${sources}\")\n"
    "set(SOURCE_FOLDERS \"dxf;support;platform\")\n")
  file(REMOVE ${WORK}/stamp)
  execute_process(COMMAND ${CMAKE_COMMAND} -D RULES=${WORK}/rules.cmake -D STAMP=${WORK}/stamp
                          -P ${CHECK}
                  RESULT_VARIABLE result ERROR_VARIABLE errors)
  string(REGEX REPLACE "[ \t\n]+" " " errors "${errors}")
  set(${result_variable} ${result} PARENT_SCOPE)
  set(${errors_variable} "${errors}" PARENT_SCOPE)
endfunction()

check_layer(${WORK}/src/dxf/reader.cpp result errors)
if(result EQUAL 0 OR EXISTS ${WORK}/stamp)
  message(FATAL_ERROR "The check let includes across the layers pass:\n${errors}")
endif()
foreach(expected IN ITEMS
    "src/dxf/reader.cpp: #include \"app/gui/main_form.h\": the sources of dxf may include dxf, support, platform, not app/gui"
    "src/dxf/reader.cpp: #include \"../app/job_runner.h\": include by the folder's name")
  string(FIND "${errors}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "The check did not say: ${expected}\nIt said: ${errors}")
  endif()
endforeach()
foreach(allowed IN ITEMS "reader.h" "platform/file_system.h")
  string(FIND "${errors}" "${allowed}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "The check refused an include the layer may make (${allowed}): ${errors}")
  endif()
endforeach()

file(WRITE ${WORK}/src/dxf/reader.cpp "#include \"dxf/reader.h\"\n#include \"platform/file_system.h\"\n")
check_layer(${WORK}/src/dxf/reader.cpp result errors)
if(NOT result EQUAL 0 OR NOT EXISTS ${WORK}/stamp)
  message(FATAL_ERROR "The check refused a layer that keeps to its links: ${errors}")
endif()

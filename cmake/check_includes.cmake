# Checks the includes of one layer's files against the folders it may
# include (see QuillmereLayers.cmake); run by the build before the layer is
# compiled:
#   cmake -D RULES=<layer rules> -D STAMP=<file touched when all is well> -P check_includes.cmake
cmake_minimum_required(VERSION 3.22)
include(${RULES})

# The layer folder an included path belongs to: the longest known folder it
# lies in; empty for paths outside every layer (system and test headers).
function(owning_folder path result)
  set(owner "")
  foreach(folder IN LISTS KNOWN_FOLDERS)
    string(LENGTH "${folder}/" length)
    string(LENGTH "${owner}" owner_length)
    string(SUBSTRING "${path}" 0 ${length} start)
    if(start STREQUAL "${folder}/" AND length GREATER owner_length)
      set(owner ${folder})
    endif()
  endforeach()
  set(${result} "${owner}" PARENT_SCOPE)
endfunction()

set(problems)
foreach(kind IN ITEMS HEADER SOURCE)
  string(TOLOWER "${kind}s" kind_name)
  foreach(file IN LISTS ${kind}S)
    file(RELATIVE_PATH shown ${PROJECT_DIR} ${file})
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS includes)
      string(REGEX MATCH "\"([^\"]*)\"" quoted "${line}")
      set(path "${CMAKE_MATCH_1}")
      if(path MATCHES "^\\.\\.?/")
        list(APPEND problems "${shown}: #include \"${path}\": include by the folder's name, not a relative path")
        continue()
      endif()
      owning_folder("${path}" owner)
      if(owner AND NOT owner IN_LIST ${kind}_FOLDERS)
        list(JOIN ${kind}_FOLDERS ", " allowed)
        list(APPEND problems
          "${shown}: #include \"${path}\": the ${kind_name} of ${LAYER} may include ${allowed}, not ${owner}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(problems)
  list(JOIN problems "\n" text)
  message(FATAL_ERROR "Includes that cross the layers:\n${text}\n"
    "(Include only what the library links; a header only what it links PUBLIC.)")
endif()
file(TOUCH ${STAMP})

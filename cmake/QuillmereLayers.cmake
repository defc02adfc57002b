# One library per source folder, and the layers the build keeps between them.
#
# Every folder under src/ is a layer: a static library quillmere_<name> made
# of the folder's sources, linking the libraries it uses, PUBLIC where its
# headers include theirs and PRIVATE where only its sources do. Code includes
# headers by their folder ("dxf/pair_stream.h"), and a file may include the
# headers of its own folder and of the libraries it can see through those
# links: a header those of its PUBLIC links (and theirs), a source also
# those of its PRIVATE links. Anything else, an include of a layer above
# (an arrow back up) or of one the library does not link, fails the build
# with the file and the include named, and so does an include by a relative
# path ("../"). A circle of links fails when the build is configured.
#
# Adding a folder: a CMakeLists.txt in it that calls quillmere_library, and
# an add_subdirectory for it in src/CMakeLists.txt.

set(QUILLMERE_SOURCE_ROOT ${PROJECT_SOURCE_DIR}/src)
set(QUILLMERE_INCLUDE_CHECK ${CMAKE_CURRENT_LIST_DIR}/check_includes.cmake)

# quillmere_library(<name> [SUBFOLDERS <folder>...] [EXCLUDE <file>...]
#                   [PUBLIC <library>...] [PRIVATE <library>...])
#
# The library quillmere_<name> of the *.cpp files of the current folder and
# of its SUBFOLDERS that have no library of their own, less those named in
# EXCLUDE (program entry points).
function(quillmere_library name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SUBFOLDERS;EXCLUDE;PUBLIC;PRIVATE")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "quillmere_library(${name}): unknown arguments ${arg_UNPARSED_ARGUMENTS}")
  endif()
  set(sources)
  set(headers)
  set(folders ${CMAKE_CURRENT_SOURCE_DIR})
  foreach(subfolder IN LISTS arg_SUBFOLDERS)
    list(APPEND folders ${CMAKE_CURRENT_SOURCE_DIR}/${subfolder})
  endforeach()
  foreach(folder IN LISTS folders)
    file(GLOB folder_sources CONFIGURE_DEPENDS ${folder}/*.cpp)
    file(GLOB folder_headers CONFIGURE_DEPENDS ${folder}/*.h)
    list(APPEND sources ${folder_sources})
    list(APPEND headers ${folder_headers})
  endforeach()
  foreach(file IN LISTS arg_EXCLUDE)
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${file})
  endforeach()

  set(target quillmere_${name})
  add_library(${target} STATIC ${sources} ${headers})
  target_include_directories(${target} PUBLIC ${QUILLMERE_SOURCE_ROOT})
  target_link_libraries(${target} PUBLIC ${arg_PUBLIC} PRIVATE ${arg_PRIVATE})
  quillmere_layer(${target} SOURCES ${sources} HEADERS ${headers})
endfunction()

# quillmere_layer(<target> SOURCES <file>... HEADERS <file>...)
#
# Makes a target of the current folder a layer whose includes are checked;
# quillmere_library does this for its library. For a program that has a
# folder of its own.
function(quillmere_layer target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;HEADERS")
  file(RELATIVE_PATH folder ${QUILLMERE_SOURCE_ROOT} ${CMAKE_CURRENT_SOURCE_DIR})
  set_target_properties(${target} PROPERTIES
    QUILLMERE_FOLDER ${folder}
    QUILLMERE_SOURCES "${arg_SOURCES}"
    QUILLMERE_HEADERS "${arg_HEADERS}")
  set_property(GLOBAL APPEND PROPERTY QUILLMERE_LAYERS ${target})
endfunction()

# The layers that `target` links directly: all of them, or with PUBLIC_ONLY
# those its users see as well.
function(_quillmere_linked_layers target result)
  cmake_parse_arguments(PARSE_ARGV 2 arg "PUBLIC_ONLY" "" "")
  get_property(layers GLOBAL PROPERTY QUILLMERE_LAYERS)
  if(arg_PUBLIC_ONLY)
    # PRIVATE links of a static library reach its users as $<LINK_ONLY:...>.
    get_target_property(links ${target} INTERFACE_LINK_LIBRARIES)
  else()
    get_target_property(links ${target} LINK_LIBRARIES)
  endif()
  set(linked)
  foreach(link IN LISTS links)
    if(link IN_LIST layers)
      list(APPEND linked ${link})
    endif()
  endforeach()
  set(${result} ${linked} PARENT_SCOPE)
endfunction()

# The folders whose headers the users of `target` see: its own, and those
# of its PUBLIC links, theirs and so on.
function(_quillmere_visible_folders target result)
  get_target_property(folder ${target} QUILLMERE_FOLDER)
  set(folders ${folder})
  _quillmere_linked_layers(${target} public PUBLIC_ONLY)
  foreach(link IN LISTS public)
    _quillmere_visible_folders(${link} linked_folders)
    list(APPEND folders ${linked_folders})
  endforeach()
  list(REMOVE_DUPLICATES folders)
  set(${result} ${folders} PARENT_SCOPE)
endfunction()

# Fails when following the links from `target` comes back to a layer on the
# way (`path`).
function(_quillmere_refuse_circles target path)
  if(target IN_LIST path)
    list(APPEND path ${target})
    list(JOIN path " -> " circle)
    message(FATAL_ERROR "The libraries link in a circle: ${circle}")
  endif()
  list(APPEND path ${target})
  _quillmere_linked_layers(${target} linked)
  foreach(link IN LISTS linked)
    _quillmere_refuse_circles(${link} "${path}")
  endforeach()
endfunction()

# Once every layer is known: refuses circles, and gives each layer a step
# before its compilation that checks the includes of its files.
function(quillmere_check_layers)
  get_property(layers GLOBAL PROPERTY QUILLMERE_LAYERS)
  set(known_folders)
  foreach(target IN LISTS layers)
    get_target_property(folder ${target} QUILLMERE_FOLDER)
    list(APPEND known_folders ${folder})
  endforeach()
  foreach(target IN LISTS layers)
    _quillmere_refuse_circles(${target} "")
    get_target_property(folder ${target} QUILLMERE_FOLDER)
    get_target_property(sources ${target} QUILLMERE_SOURCES)
    get_target_property(headers ${target} QUILLMERE_HEADERS)
    _quillmere_visible_folders(${target} header_folders)
    set(source_folders ${folder})
    _quillmere_linked_layers(${target} linked)
    foreach(link IN LISTS linked)
      _quillmere_visible_folders(${link} linked_folders)
      list(APPEND source_folders ${linked_folders})
    endforeach()
    list(REMOVE_DUPLICATES source_folders)
    # A program's headers are for its own sources only.
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      set(header_folders ${source_folders})
    endif()

    set(rules ${CMAKE_CURRENT_BINARY_DIR}/layers/${target}.cmake)
    file(CONFIGURE OUTPUT ${rules} CONTENT [[
set(PROJECT_DIR "@PROJECT_SOURCE_DIR@")
set(LAYER "@folder@")
set(KNOWN_FOLDERS "@known_folders@")
set(HEADERS "@headers@")
set(HEADER_FOLDERS "@header_folders@")
set(SOURCES "@sources@")
set(SOURCE_FOLDERS "@source_folders@")
]] @ONLY)
    set(stamp ${CMAKE_CURRENT_BINARY_DIR}/layers/${target}.checked)
    file(RELATIVE_PATH shown ${PROJECT_SOURCE_DIR} ${QUILLMERE_SOURCE_ROOT}/${folder})
    add_custom_command(
      OUTPUT ${stamp}
      COMMAND ${CMAKE_COMMAND} -D RULES=${rules} -D STAMP=${stamp} -P ${QUILLMERE_INCLUDE_CHECK}
      DEPENDS ${sources} ${headers} ${rules} ${QUILLMERE_INCLUDE_CHECK}
      COMMENT "Checking the includes of ${shown}"
      VERBATIM)
    add_custom_target(${target}_includes DEPENDS ${stamp})
    add_dependencies(${target} ${target}_includes)
  endforeach()
endfunction()

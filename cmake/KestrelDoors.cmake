# kestrel_export_rooms(target [BASE folder] FOLDERS folder...)
# Exports a library's own folders under their room prefix, and nothing
# beside them. The build folder gets doors/<target>/<folder> as a link to
# BASE/<folder> (BASE defaults to the calling CMakeLists.txt's folder), and
# doors/<target> becomes the target's public include folder. So
# "startup/CKestrelApp.h" resolves in exactly the targets that link
# kestrel_startup, while the folders next to app/startup stay closed.
function(kestrel_export_rooms target)
  cmake_parse_arguments(ARG "" "BASE" "FOLDERS" ${ARGN})
  if(NOT ARG_FOLDERS)
    message(FATAL_ERROR "kestrel_export_rooms(${target}): no FOLDERS given")
  endif()
  if(NOT ARG_BASE)
    set(ARG_BASE ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  cmake_path(ABSOLUTE_PATH ARG_BASE NORMALIZE)
  string(REGEX REPLACE "/$" "" ARG_BASE "${ARG_BASE}")
  set(root ${CMAKE_BINARY_DIR}/doors/${target})
  foreach(folder IN LISTS ARG_FOLDERS)
    if(NOT IS_DIRECTORY ${ARG_BASE}/${folder})
      message(FATAL_ERROR "kestrel_export_rooms(${target}): ${ARG_BASE}/${folder} is not a folder")
    endif()
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${ARG_BASE}/${folder} ${root}/${folder} SYMBOLIC)
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

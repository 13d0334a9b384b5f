# Checks that the sources keep to the layers their link lines declare: a file may include a
# project header only if that header belongs to the file's own component or to one the
# component links (directly, or passed on by what it links). So the core never reaches a
# widget header, the settings panel never the library panel's, nothing the window's, and a
# test suite only what it links.
#
#   cmake -DLAYERING=<build>/layering.cmake -DROOT=<repo> -P check-includes.cmake
#
# A header belongs to the target that compiles the .cpp of the same name; a header with no
# .cpp (a record, an interface, a fixture) to every target of its folder. Files in src/
# must belong to a component; test files outside any suite (support/, e2e/, helper
# programs) are left out.
cmake_minimum_required(VERSION 3.25)
include("${LAYERING}")

foreach(target IN LISTS TAVRIN_LAYERED)
  foreach(cpp IN LISTS ${target}_SOURCES)
    string(REGEX REPLACE "\\.cpp$" ".h" header "${cpp}")
    list(APPEND "owner_${cpp}" ${target})
    list(APPEND "owner_${header}" ${target})
    string(REGEX REPLACE "^([^/]+/[^/]+)/.*" "\\1" folder "${cpp}")
    list(APPEND "folder_${folder}" ${target})
  endforeach()
endforeach()

# What a target sees: itself, what it links, and what those pass on, transitively.
foreach(target IN LISTS TAVRIN_LAYERED)
  set(seen ${target})
  set(pending ${${target}_LINKS})
  while(pending)
    list(POP_FRONT pending next)
    if(NOT next IN_LIST seen)
      list(APPEND seen ${next})
      list(APPEND pending ${${next}_EXPORTS})
    endif()
  endwhile()
  set("sees_${target}" ${seen})
endforeach()

function(owners_of path out)
  if(DEFINED "owner_${path}")
    set(${out} ${owner_${path}} PARENT_SCOPE)
  elseif(path MATCHES "\\.h$")
    string(REGEX REPLACE "^([^/]+/[^/]+)/.*" "\\1" folder "${path}")
    list(REMOVE_DUPLICATES "folder_${folder}")
    set(${out} ${folder_${folder}} PARENT_SCOPE)
  else()
    set(${out} "" PARENT_SCOPE)
  endif()
endfunction()

file(GLOB_RECURSE files RELATIVE "${ROOT}" "${ROOT}/src/*/*.h" "${ROOT}/src/*/*.cpp"
     "${ROOT}/tests/*/*.h" "${ROOT}/tests/*/*.cpp")
list(SORT files)
set(faults 0)
foreach(file IN LISTS files)
  owners_of("${file}" owners)
  if(NOT owners)
    if(file MATCHES "^src/")
      message(SEND_ERROR "${file}: compiled by no component")
      math(EXPR faults "${faults} + 1")
    endif()
    continue()
  endif()
  set(visible "")
  foreach(owner IN LISTS owners)
    list(APPEND visible ${sees_${owner}})
  endforeach()
  file(STRINGS "${ROOT}/${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*" "src/\\1" included "${line}")
    if(NOT EXISTS "${ROOT}/${included}" OR NOT included MATCHES "^src/[^/]+/")
      continue()
    endif()
    owners_of("${included}" homes)
    set(allowed FALSE)
    foreach(home IN LISTS homes)
      if(home IN_LIST visible)
        set(allowed TRUE)
      endif()
    endforeach()
    if(NOT allowed)
      string(REPLACE ";" " or " homes "${homes}")
      string(REPLACE ";" " or " owners "${owners}")
      message(SEND_ERROR "${file}: includes ${included} of ${homes}, which ${owners} does not link")
      math(EXPR faults "${faults} + 1")
    endif()
  endforeach()
endforeach()

list(LENGTH files count)
if(faults GREATER 0)
  message(FATAL_ERROR "${faults} of the includes in ${count} files cross the layers")
endif()
message(STATUS "Includes in ${count} files keep to the layers")

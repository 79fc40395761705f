# Build helpers shared by every folder.

# Warnings of our own targets (not of third-party code): zero allowed.
function(bda_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror=return-type)
endfunction()

# A static library of our sources with the warnings and the src include root.
function(bda_library name)
  add_library(${name} STATIC ${ARGN})
  bda_warnings(${name})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
endfunction()

# Adds DIR when it has a CMakeLists.txt, else each of its subfolders in name order
# (recursively), so that every area owns its own list file.
function(bda_add_subdirectories dir)
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
    add_subdirectory(${dir})
    return()
  endif()
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}/${dir}
       ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/${child})
      bda_add_subdirectories(${dir}/${child})
    endif()
  endforeach()
endfunction()

# GoogleTest built from Debian's sources with our compiler, and the test helpers.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

if(WIN32)
  # Every test program runs under 64-bit Wine in the build tree's own prefix.
  set(BDA_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/cmake/wine-run.sh ${BDA_WINEPREFIX})
endif()

# bda_add_test(NAME SOURCES files... [LIBS libs...] [LOCK resources...] [TIMEOUT s])
# A GoogleTest program; its cases are listed at test time (under Wine for Windows builds).
# LOCK names shared state that tests of different programs must not use at once
# (registry keys, the sound devices, the display's focus).
function(bda_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;LOCK" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  bda_warnings(${name})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(T_LOCK)
    # RESOURCE_LOCK is a list, which PROPERTIES above cannot carry (joined into one word it
    # would name a single, different lock). ctest includes this file after the discovery's
    # own, so it sets the locks on every discovered case of the program.
    set(locks ${CMAKE_CURRENT_BINARY_DIR}/${name}_locks.cmake)
    file(WRITE ${locks} "foreach(t IN LISTS ${name}_TESTS)\n"
                        "  set_tests_properties(\"\${t}\" PROPERTIES RESOURCE_LOCK \"${T_LOCK}\")\n"
                        "endforeach()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${locks})
  endif()
endfunction()

# bda_add_fuzzer(NAME SOURCES files... [LIBS libs...] SEEDS dir [SECONDS n])
# Native builds only: a libFuzzer target, and a short bounded run of it as a test.
function(bda_add_fuzzer name)
  cmake_parse_arguments(F "" "SEEDS;SECONDS" "SOURCES;LIBS" ${ARGN})
  if(WIN32)
    return()
  endif()
  if(NOT F_SECONDS)
    set(F_SECONDS 15)
  endif()
  add_executable(${name} ${F_SOURCES})
  bda_warnings(${name})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
  add_test(NAME ${name}
           COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1
                   $<TARGET_FILE:${name}> -max_total_time=${F_SECONDS} -timeout=5
                   -rss_limit_mb=2048 -print_final_stats=1 ${corpus} ${F_SEEDS})
  set_tests_properties(${name} PROPERTIES TIMEOUT ${F_SECONDS}0 LABELS fuzz)
  file(MAKE_DIRECTORY ${corpus})
endfunction()

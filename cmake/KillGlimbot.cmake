# Shared build settings and helpers for every folder of the project.

add_library(kg_warnings INTERFACE)
target_compile_options(kg_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow
                                             -Wnon-virtual-dtor -Wcast-align)
# GCC 12 warns of overlapping copies inside std::string at -O3 where none exist.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(kg_warnings INTERFACE -Wno-restrict)
endif()
if(KG_WERROR)
  target_compile_options(kg_warnings INTERFACE -Werror)
endif()

# kg_library(NAME SOURCES ... DEPS ...): one library target per folder, included from the
# project root so headers are named by folder ("support/debug_log.h").
function(kg_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE kg_warnings)
endfunction()

# kg_test_suite(NAME SOURCES ... DEPS ... [ENVIRONMENT VAR=VALUE...] [FILTER GTEST_FILTER]):
# one GoogleTest program, its tests (those the filter takes) registered with CTest.
function(kg_test_suite name)
  cmake_parse_arguments(ARG "" "FILTER" "SOURCES;DEPS;ENVIRONMENT" ${ARGN})
  if(NOT ARG_FILTER)
    set(ARG_FILTER "*")
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} kg_test_common GTest::gtest_main GTest::gmock
                                        kg_warnings)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  gtest_discover_tests(${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} TEST_FILTER ${ARG_FILTER}
                       DISCOVERY_TIMEOUT 30 PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}")
endfunction()

# kg_benchmark(NAME SOURCES ... DEPS ...): a Google Benchmark program named bench_NAME.
function(kg_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(bench_${name} ${ARG_SOURCES})
  target_link_libraries(bench_${name} PRIVATE ${ARG_DEPS} benchmark::benchmark_main kg_warnings)
  target_include_directories(bench_${name} PRIVATE ${PROJECT_SOURCE_DIR})
endfunction()

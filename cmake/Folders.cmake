# One static library per source folder. Sources are every .cpp/.h in the folder
# itself (not sub-folders, which are libraries of their own).
function(vt_library name)
  cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  if(NOT sources)
    # A folder whose code has not been written yet still stands in the graph.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE "${CMAKE_SOURCE_DIR}/src")
    target_link_libraries(${name} INTERFACE ${ARG_LINKS})
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC "${CMAKE_SOURCE_DIR}/src")
  target_compile_options(${name} PRIVATE -Wall -Wextra)
  target_link_libraries(${name} PUBLIC ${ARG_LINKS})
endfunction()

# One GoogleTest program per test folder, each test discovered by ctest.
function(vt_tests name)
  cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources} "${CMAKE_SOURCE_DIR}/tests/support/TestMain.cpp")
  target_compile_options(${name} PRIVATE -Wall -Wextra)
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} vt_testsupport GTest::gtest GTest::gmock)
  # whisper.cpp's OpenMP threads spin while they wait for each other; on a
  # machine busy with other tests a descheduled thread keeps the rest
  # spinning, and a tiny model's run takes seconds instead of a fraction of
  # one. Waiting passively gives the same results.
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" ENVIRONMENT_MODIFICATION "OMP_WAIT_POLICY=set:passive")
endfunction()

# A Google Benchmark program from one source file in bench/.
function(vt_bench name source)
  cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
  add_executable(${name} ${source})
  target_compile_options(${name} PRIVATE -Wall -Wextra)
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} benchmark::benchmark_main)
endfunction()

set(VELLUMTIDE_FIXTURES "${CMAKE_SOURCE_DIR}/../shared/fixtures" CACHE PATH "Shared test data")
include(GoogleTest)

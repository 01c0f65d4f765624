# kelo_library(NAME DIR [STATIC] DEPS ...): a library of every .cpp in DIR.
# One class per file pair, so globbing keeps CMake out of every change that adds a class.
# The platform's libraries are shared: the host program and the module it loads must see one
# program date, one global block and one copy of every table, not one each.
function(kelo_library name dir)
  cmake_parse_arguments(K "STATIC" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  if(K_STATIC)
    add_library(${name} STATIC ${srcs})
  else()
    add_library(${name} SHARED ${srcs})
  endif()
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${K_DEPS})
endfunction()

# kelo_test(NAME DIR DEPS ...): one gtest binary of every .cpp in DIR, registered with ctest.
function(kelo_test name dir)
  cmake_parse_arguments(K "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs} ${PROJECT_SOURCE_DIR}/cmake/TestEnvironment.cpp)
  target_compile_definitions(${name} PRIVATE KELO_SOURCE_DIR_VALUE="${PROJECT_SOURCE_DIR}")
  target_link_libraries(${name} PRIVATE ${K_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()

# kelo_pg_tests(NAME [FILTER pattern]): the gtest binary NAME registered again, suffixed .pg, with
# its companies made on the test cluster (KELO_TEST_STORE); FILTER keeps out LMDB-only cases.
function(kelo_pg_tests name)
  cmake_parse_arguments(K "" "FILTER" "" ${ARGN})
  if(NOT K_FILTER)
    set(K_FILTER "*")
  endif()
  gtest_discover_tests(${name} TEST_SUFFIX .pg TEST_FILTER "${K_FILTER}" DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "KELO_TEST_STORE=${KELO_PG_URL}" FIXTURES_REQUIRED pg LABELS pg)
endfunction()

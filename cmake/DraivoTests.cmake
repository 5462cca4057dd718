# draivo_add_test_folder(<name> <folder> [LIBS ...] [PROPERTIES ...])
# Builds every *.cpp of <folder> into one GoogleTest executable and registers its tests with CTest,
# each with the given test properties.
find_package(GTest REQUIRED)
include(GoogleTest)

function(draivo_add_test_folder name folder)
  cmake_parse_arguments(ARG "" "" "LIBS;PROPERTIES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_compile_definitions(${name} PRIVATE
    DRAIVO_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
    DRAIVO_EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples")
  target_link_libraries(${name} PRIVATE draivo_settings draivo_test_support ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  set(properties)
  if(ARG_PROPERTIES)
    set(properties PROPERTIES ${ARG_PROPERTIES})
  endif()
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    DISCOVERY_TIMEOUT 60
    ${properties})
endfunction()

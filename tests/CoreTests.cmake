# The GoogleTest program of the core, shared by the normal build and the sanitizer
# build (tests/fuzz).
set(VIMSEL_TESTS_DIR ${CMAKE_CURRENT_LIST_DIR})

function(vimsel_core_tests target)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${VIMSEL_TESTS_DIR}/core/*.cpp)
  add_executable(${target} ${sources})
  target_link_libraries(${target} PRIVATE vimsel_core GTest::gtest GTest::gtest_main)
  target_include_directories(${target} PRIVATE ${VIMSEL_TESTS_DIR} ${VIMSEL_TESTS_DIR}/core)
  target_compile_definitions(${target} PRIVATE TEST_DATA_DIR="${VIMSEL_TESTS_DIR}/data"
                             EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples"
                             RESOURCES_DIR="${PROJECT_SOURCE_DIR}/resources"
                             VIMSEL_PACKAGE_VERSION="${PROJECT_VERSION}")
  target_compile_options(${target} PRIVATE -include ${VIMSEL_TESTS_DIR}/core/support/QtPrinters.h)
endfunction()

# The GoogleTest program of the widgets, shared by the normal build and the sanitizer
# build (tests/fuzz). Their main() sets the offscreen platform and creates the
# application.
set(VIMSEL_UI_TESTS_DIR ${CMAKE_CURRENT_LIST_DIR})

# WITH_BROWSER: also the lessons page's tests, which load the web engine module built
# beside the program.
function(vimsel_ui_tests target)
  cmake_parse_arguments(arg "WITH_BROWSER" "" "" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${VIMSEL_UI_TESTS_DIR}/ui/*.cpp)
  if(NOT arg_WITH_BROWSER)
    list(FILTER sources EXCLUDE REGEX "/ui/lessons/LessonsPageTest\\.cpp$")
  endif()
  add_executable(${target} ${sources})
  set_target_properties(${target} PROPERTIES AUTOMOC ON)
  target_link_libraries(${target} PRIVATE vimsel_ui Qt6::Test GTest::gtest)
  if(arg_WITH_BROWSER)
    # The tests read the lessons' browser (a QWebEngineView from the browser module).
    target_link_libraries(${target} PRIVATE Qt6::WebEngineWidgets)
    add_dependencies(${target} vimsel_browser)
  endif()
  target_include_directories(${target} PRIVATE ${VIMSEL_UI_TESTS_DIR} ${VIMSEL_UI_TESTS_DIR}/ui)
  target_compile_definitions(${target} PRIVATE TEST_DATA_DIR="${VIMSEL_UI_TESTS_DIR}/data"
                             RESOURCES_DIR="${PROJECT_SOURCE_DIR}/resources"
                             EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples")
  target_compile_options(${target} PRIVATE -include ${VIMSEL_UI_TESTS_DIR}/core/support/QtPrinters.h)
endfunction()

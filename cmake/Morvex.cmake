# morvex_test(NAME SOURCES... LIBS ...): one GoogleTest executable registered with CTest.
function(morvex_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    MORVEX_CORPUS_DIR="${MORVEX_CORPUS_DIR}"
    MORVEX_EXAMPLES_DIR="${MORVEX_EXAMPLES_DIR}"
    MORVEX_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    MORVEX_BINARY_DIR="${CMAKE_BINARY_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;${T_ENV}")
endfunction()

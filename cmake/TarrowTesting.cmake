# tarrow_compile_as_test_code(target)
# Test code is not what ships: it builds unoptimised, with line tables only. With GoogleTest's
# macros the optimiser and full debug information were most of the build's time (five times more
# under the sanitizers), and stack traces need no more than line tables.
function(tarrow_compile_as_test_code target)
  if(NOT TARROW_COVERAGE)
    target_compile_options(${target} PRIVATE -O0 -g1)
  endif()
endfunction()

# tarrow_add_test(NAME name SOURCES ... LIBS ... [LABELS ...])
# One GoogleTest program; each of its cases becomes one CTest test and runs in a process of its
# own with a private drive C: and home folder (tests/support/run-isolated). Message boxes go to
# standard error unless the program links the GTK ones (tests swap in scripted boxes anyway).
function(tarrow_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  if(NOT "tarrow_message_boxes_gtk" IN_LIST T_LIBS)
    list(APPEND T_LIBS tarrow_message_boxes_console)
  endif()
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main Threads::Threads)
  target_include_directories(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  tarrow_compile_as_test_code(${T_NAME})
  set_target_properties(${T_NAME} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests
    BUILD_RPATH "${TARROW_BIN_DIR}"
    CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tests/support/run-isolated)
  set(properties TIMEOUT 300)
  if(T_LABELS)
    list(APPEND properties LABELS "${T_LABELS}")
  endif()
  gtest_discover_tests(${T_NAME}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ${properties})
endfunction()

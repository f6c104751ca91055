# GoogleTest from Debian's sources, built here for whichever target this tree builds.
set(PW_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
if(PW_BUILD_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  if(WIN32)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  endif()
  # GoogleTest's warnings are not ours to fix; the variable is scoped to this function.
  function(pw_add_googletest)
    set(CMAKE_COMPILE_WARNING_AS_ERROR OFF)
    add_subdirectory(${PW_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  endfunction()
  pw_add_googletest()
endif()

# Time limits. Every test's TIMEOUT is at least four times what it takes on a busy two-core
# machine (`make test-under-load`: two CPU-bound processes beside the suite), so a limit only
# catches what never ends; no test but the reproducibility build (tests/dist, which runs alone)
# takes over 30 s on an idle one. Hangs are found sooner, inside the harnesses, each saying what
# it waited for: a GUI wait ends within 15 s (tools/pwdrive.py), a modal dialog within 5 s
# (tests/support/DialogSuite.h), a panelwright-cli run within 30 s (tests/e2e/fleet.py), a fuzz
# input within 5 s, each step of Wine's set-up within its own limit (cmake/wine-run.sh).
if(WIN32 AND CMAKE_CROSSCOMPILING)
  # One Wine prefix and one display for the whole test run; making the prefix takes about 20 s.
  add_test(NAME harness_start COMMAND ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh ${PW_HARNESS_DIR} start unmanaged)
  add_test(NAME harness_stop COMMAND ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh ${PW_HARNESS_DIR} stop)
  set_tests_properties(harness_start PROPERTIES FIXTURES_SETUP wine_harness TIMEOUT 240)
  set_tests_properties(harness_stop PROPERTIES FIXTURES_CLEANUP wine_harness TIMEOUT 60)
endif()

# pw_add_gtest(NAME name SOURCES ... LIBS ... LABELS ...)
# One CTest test per executable: under Wine every process start costs, so cases are not split
# into CTest tests; each case is a GoogleTest test of its own name, for --gtest_filter. The
# slowest takes about 10 s, 30 s on a busy machine.
function(pw_add_gtest)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest_main)
  target_include_directories(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} --gtest_brief=1)
  set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABELS}" TIMEOUT 120
    ENVIRONMENT "PW_SOURCE_DIR=${CMAKE_SOURCE_DIR};PW_BINARY_DIR=${CMAKE_BINARY_DIR}")
  if(WIN32 AND CMAKE_CROSSCOMPILING)
    set_tests_properties(${T_NAME} PROPERTIES FIXTURES_REQUIRED wine_harness)
  endif()
  # Tests that put windows on the shared display must not overlap: focus, capture and topmost
  # windows of one would disturb the other.
  if("gui" IN_LIST T_LABELS OR "e2e" IN_LIST T_LABELS)
    set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK display)
  endif()
endfunction()

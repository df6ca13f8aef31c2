# brinefall_add_test(NAME <name> SOURCES <files...> [LIBRARIES <targets...>])
#
# One GoogleTest executable per module. Every test it holds is registered with
# CTest, runs on the headless backend and has a timeout, so a hung test fails
# instead of stalling CI.
function(brinefall_add_test)
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gtest_main brinefall_warnings)
  gtest_discover_tests(${ARG_NAME}
    DISCOVERY_TIMEOUT 60
    PROPERTIES
      ENVIRONMENT "BRINEFALL_BACKEND=headless"
      TIMEOUT 120)
endfunction()

# brinefall_add_xvfb_test(NAME <name> TARGET <executable> [TIMEOUT <seconds>])
#
# Runs a test executable on the real SDL backend inside a virtual X display.
# In sanitizer builds the leak check is off for these runs only: the X11, D-Bus
# and Mesa libraries that SDL loads keep allocations until exit, and Mesa's
# drivers are unloaded before the check runs, so their reports cannot even be
# suppressed by name. Our own code's leaks are checked by the headless tests.
function(brinefall_add_xvfb_test)
  cmake_parse_arguments(ARG "" "NAME;TARGET;TIMEOUT" "" ${ARGN})
  find_program(XVFB_RUN xvfb-run)
  if(NOT XVFB_RUN)
    message(STATUS "xvfb-run not found: ${ARG_NAME} is not registered")
    return()
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  set(environment BRINEFALL_BACKEND=sdl SDL_AUDIODRIVER=dummy)
  if(BRINEFALL_SANITIZE)
    list(APPEND environment ASAN_OPTIONS=detect_leaks=0)
  endif()
  add_test(NAME ${ARG_NAME} COMMAND ${XVFB_RUN} -a env ${environment} $<TARGET_FILE:${ARG_TARGET}>)
  set_tests_properties(${ARG_NAME} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
endfunction()

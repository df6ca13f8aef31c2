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

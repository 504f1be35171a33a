# zv_library(<target> SOURCES ... [DEPS ...] [PRIVATE_DEPS ...])
# A library whose headers are included as "folder/Header.h" from the source root.
function(zv_library target)
  cmake_parse_arguments(ZV "" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(${target} STATIC ${ZV_SOURCES})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  if(ZV_DEPS)
    target_link_libraries(${target} PUBLIC ${ZV_DEPS})
  endif()
  if(ZV_PRIVATE_DEPS)
    target_link_libraries(${target} PRIVATE ${ZV_PRIVATE_DEPS})
  endif()
endfunction()

include(GoogleTest)

# zv_test(<name> SOURCES ... [LIBS ...] [GUI])
# One GoogleTest executable; each of its test cases is a CTest entry of its own
# with its own time-out. It runs headless, and the test main gives every case a
# prefix folder of its own under the program's one, so tests never touch a
# user's files nor each other's when ctest runs them side by side.
function(zv_test name)
  cmake_parse_arguments(ZV "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ZV_SOURCES})
  if(ZV_GUI)
    target_link_libraries(${name} PRIVATE ${ZV_LIBS} zv_test_main_gui GTest::gtest GTest::gmock)
  else()
    target_link_libraries(${name} PRIVATE ${ZV_LIBS} zv_test_main GTest::gtest GTest::gmock)
  endif()
  # The test main gives each case its own prefix folder under the build folder,
  # and runs headless; ctest sets no environment.
  # Listing the cases when ctest starts keeps the build free of test runs.
  # Checked builds run several times slower.
  if(ZV_SANITIZE)
    set(timeout 600)
  else()
    set(timeout 120)
  endif()
  gtest_discover_tests(${name}
    TEST_PREFIX "${name}."
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES
      TIMEOUT ${timeout})
endfunction()

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

# zv_test(<name> SOURCES ... [LIBS ...] [GUI])
# One GoogleTest executable, registered with CTest as one test. It runs headless,
# with a prefix folder of its own so tests never touch a user's files.
function(zv_test name)
  cmake_parse_arguments(ZV "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ZV_SOURCES})
  if(ZV_GUI)
    target_link_libraries(${name} PRIVATE ${ZV_LIBS} zv_test_main_gui GTest::gtest GTest::gmock)
  else()
    target_link_libraries(${name} PRIVATE ${ZV_LIBS} zv_test_main GTest::gtest GTest::gmock)
  endif()
  set(prefix ${CMAKE_BINARY_DIR}/test-prefix/${name})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ZORVANE_PREFIX=${prefix};ZV_TEST_OUTPUT=${CMAKE_BINARY_DIR}/test-output"
    TIMEOUT 600)
endfunction()

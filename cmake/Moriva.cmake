# Compiler settings shared by every target of the project.
add_compile_options(-Wall -Wextra -Wpedantic)
if(MORIVA_WERROR)
  add_compile_options(-Werror)
endif()
if(MORIVA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(MORIVA_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# moriva_add_library(NAME SOURCES ... LIBS ...): a static library of the project.
function(moriva_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# moriva_add_test(NAME SOURCES ... LIBS ...): a GoogleTest executable run by CTest,
# headless (offscreen Qt platform). The test main sets the rest of the environment.
# MORIVA_SOURCE_DIR names the source tree, where the tests find their sample files (a
# file's own __FILE__ may be relative: the compiler cache rewrites paths).
function(moriva_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} moriva_test_support GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE MORIVA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

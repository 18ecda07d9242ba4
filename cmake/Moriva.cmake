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

# moriva_include_root(TARGET FOLDER [INTERFACE]): the include path of a library shows its
# own folder and nothing else. Includes are written from the repository root
# ("data/UReply.h"), so the path is a folder of the build tree holding a link to FOLDER at
# its place below the root; a library sees the headers of the libraries it links (their
# roots come with them) and no others.
function(moriva_include_root target folder)
  file(RELATIVE_PATH relative ${CMAKE_SOURCE_DIR} ${folder})
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  get_filename_component(parent ${root}/${relative} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT IS_SYMLINK ${root}/${relative})
    file(CREATE_LINK ${folder} ${root}/${relative} SYMBOLIC)
  endif()
  if(ARGV2 STREQUAL "INTERFACE")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# moriva_add_library(NAME SOURCES ... LIBS ...): a static library of the project, made of
# the sources of the folder it is declared in, linking LIBS (which it may include).
function(moriva_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  moriva_include_root(${name} ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# moriva_add_test(NAME [WEB_ENGINE] SOURCES ... LIBS ...): a GoogleTest executable run by
# CTest, headless (offscreen Qt platform). The test main sets the rest of the environment.
# MORIVA_SOURCE_DIR names the source tree, where the tests find their sample files (a
# file's own __FILE__ may be relative: the compiler cache rewrites paths).
# WEB_ENGINE marks a test that runs the embedded browser: see moriva_web_engine_test.
function(moriva_add_test name)
  cmake_parse_arguments(ARG "WEB_ENGINE" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} moriva_test_support GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE MORIVA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  set(properties ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  if(ARG_WEB_ENGINE)
    moriva_web_engine_test(properties)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES ${properties})
endfunction()

# Adds to the test properties in the variable named out what a test that runs the
# embedded browser needs in the sanitizer build: the browser engine's own library deletes
# objects through a base type of another size, which AddressSanitizer would report, and
# keeps allocations until the process ends (scripts/lsan.supp). Our code keeps both checks.
function(moriva_web_engine_test out)
  if(MORIVA_SANITIZE)
    set(${out} ${${out}} ENVIRONMENT_MODIFICATION "ASAN_OPTIONS=string_append::new_delete_type_mismatch=0"
        PARENT_SCOPE)
  endif()
endfunction()

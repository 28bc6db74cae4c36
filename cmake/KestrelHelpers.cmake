# kestrel_add_test(name source... [LIBS lib...] [LABELS label...])
# Builds a GoogleTest program into the test folder and registers its cases,
# optionally with CTest labels (ctest -L label).
function(kestrel_add_test name)
  cmake_parse_arguments(ARG "" "" "LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE kestrel_headers GTest::gtest GTest::gtest_main ${ARG_LIBS})
  target_compile_definitions(${name} PRIVATE
    KESTREL_APP_DIR="${KESTREL_APP_DIR}"
    KESTREL_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    KESTREL_SHARED_TESTDATA="${CMAKE_SOURCE_DIR}/../shared/testdata")
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KESTREL_TEST_BIN_DIR})
  set(props ENVIRONMENT "TZ=Europe/Berlin")
  if(ARG_LABELS)
    list(APPEND props LABELS "${ARG_LABELS}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${props})
endfunction()

# kestrel_add_fuzzer(name source [LIBS lib...] [CORPUS dir])
# With KESTREL_FUZZ the target is a libFuzzer program; otherwise it is linked
# with a small driver that replays the corpus, and the replay runs as a test.
function(kestrel_add_fuzzer name source)
  if(NOT KESTREL_TESTS AND NOT KESTREL_FUZZ)
    return()  # nothing would run it
  endif()
  cmake_parse_arguments(ARG "" "CORPUS" "LIBS" ${ARGN})
  if(KESTREL_FUZZ)
    add_executable(${name} ${source})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  else()
    add_executable(${name} ${source} ${CMAKE_SOURCE_DIR}/tools/fuzzreplay/replay_main.cpp)
  endif()
  target_link_libraries(${name} PRIVATE kestrel_headers ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  if(KESTREL_TESTS AND NOT KESTREL_FUZZ AND ARG_CORPUS)
    add_test(NAME ${name}_corpus COMMAND ${name} ${ARG_CORPUS})
  endif()
endfunction()

# Test registration shared by every test folder.
include(GoogleTest)

# LeakSanitizer reads its suppressions (third-party libraries only) from this file, for every
# test, so that a plain ctest run checks leaks as scripts/test.sh does.
set(TINTREL_TEST_LSAN_OPTIONS "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan-suppressions.txt")

# tintrel_add_gtest(NAME SOURCES... LIBS...): a GoogleTest program for the Qt-free core.
function(tintrel_add_gtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} tintrel_test_support GTest::gtest GTest::gtest_main GTest::gmock)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "LC_ALL=C.UTF-8;${TINTREL_TEST_LSAN_OPTIONS}")
endfunction()

# tintrel_add_qtest(NAME SOURCES... LIBS...): a Qt Test program, run on the offscreen platform
# so that ctest needs no display. Leak checking stays on as for every other test: none of the Qt
# tests reports a leak of Tintrel's (Qt's platform plugin, fontconfig and the font database free
# what they keep, or keep it reachable), so no test needs an exception; libdbus, which keeps a
# failed session-bus lookup when there is no desktop session, is suppressed by library name.
function(tintrel_add_qtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} tintrel_test_support Qt6::Test Qt6::Widgets)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;${TINTREL_TEST_LSAN_OPTIONS}")
endfunction()

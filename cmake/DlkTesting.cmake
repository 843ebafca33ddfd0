enable_testing()
find_package(GTest REQUIRED)
include(GoogleTest)

# The top-level folder a test is defined under (client, config, tabs, ...): its
# label, so that `ctest -L config` runs every test of the configurator.
function(dlk_test_label var)
    file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    string(REGEX MATCH "^[^/]+" label "${folder}")
    set(${var} ${label} PARENT_SCOPE)
endfunction()

# dlk_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [QT])
# Each test is named after its program ("config_core_tests" gives
# "config_core.ReportsTest.Something") and labelled with its top-level folder.
# QT marks tests that start Qt: they run on the offscreen platform, and leak
# checking is off for them because Qt and fontconfig keep process-wide caches.
function(dlk_add_test)
    if(NOT DLK_TESTS)
        return()
    endif()
    cmake_parse_arguments(T "QT" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    # dlk_test_runtime_folder: each test process gets a runtime folder of its own.
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} dlk_test_runtime_folder GTest::gtest GTest::gmock GTest::gtest_main)
    set(qt_properties "")
    if(T_QT)
        # Two properties of one value each: a list of two settings in one
        # property would lose its second one on the way to the discovered tests.
        set(qt_properties ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
                          ENVIRONMENT_MODIFICATION "ASAN_OPTIONS=set:detect_leaks=0")
    endif()
    # GoogleTest's headers weigh on every test file as Qt's do on a window file.
    dlk_unity(${T_NAME})
    dlk_test_label(label)
    string(REGEX REPLACE "_tests$" "" prefix ${T_NAME})
    gtest_discover_tests(${T_NAME}
        TEST_PREFIX "${prefix}."
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        PROPERTIES ${qt_properties} TIMEOUT 300 LABELS ${label})
endfunction()

# dlk_add_program_test(NAME <name> PROGRAM <target> PATH_MACRO <macro>
#                      SOURCES <files...> LIBS <targets...> TIMEOUT <seconds>)
# A test of a real program: the test is handed the program's path in
# PATH_MACRO and starts it itself, offscreen; the program is built first. One
# CTest test, labelled like the others.
function(dlk_add_program_test)
    if(NOT DLK_TESTS)
        return()
    endif()
    cmake_parse_arguments(P "" "NAME;PROGRAM;PATH_MACRO;TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${P_NAME} ${P_SOURCES})
    target_link_libraries(${P_NAME} PRIVATE ${P_LIBS} GTest::gtest GTest::gtest_main)
    target_compile_definitions(${P_NAME} PRIVATE ${P_PATH_MACRO}="$<TARGET_FILE:${P_PROGRAM}>")
    add_dependencies(${P_NAME} ${P_PROGRAM})
    add_test(NAME ${P_NAME} COMMAND ${P_NAME})
    dlk_test_label(label)
    set_tests_properties(${P_NAME} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0"
        TIMEOUT ${P_TIMEOUT}
        LABELS ${label})
endfunction()

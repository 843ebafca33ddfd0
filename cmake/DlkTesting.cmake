enable_testing()
find_package(GTest REQUIRED)
include(GoogleTest)

# dlk_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [QT])
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
        dlk_unity(${T_NAME})
    endif()
    gtest_discover_tests(${T_NAME}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        PROPERTIES ${qt_properties} TIMEOUT 300)
endfunction()

# Source lists that cannot shrink unnoticed: a folder that vanished, a glob
# that matches nothing or a test file that was removed or never listed stops
# the configure with the file named, instead of dropping a library or tests.

# dlk_glob(<var> [RECURSE] <patterns...> [EXCLUDE <regex...>]): the files the
# patterns match (relative to the current folder); each pattern must match some.
function(dlk_glob var)
    cmake_parse_arguments(G "RECURSE" "" "EXCLUDE" ${ARGN})
    set(all "")
    foreach(pattern ${G_UNPARSED_ARGUMENTS})
        if(G_RECURSE)
            file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${pattern})
        else()
            file(GLOB found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${pattern})
        endif()
        foreach(regex ${G_EXCLUDE})
            list(FILTER found EXCLUDE REGEX "${regex}")
        endforeach()
        if(NOT found)
            message(FATAL_ERROR "No sources match ${pattern} in ${CMAKE_CURRENT_SOURCE_DIR}")
        endif()
        list(APPEND all ${found})
    endforeach()
    set(${var} ${all} PARENT_SCOPE)
endfunction()

# dlk_test_sources(<var> DIR <folder> FILES <names...> [ELSEWHERE <names...>]):
# the named test files of one folder. Every .cpp there must be named, in FILES
# or, when another test program builds it, in ELSEWHERE; every named file
# must exist.
function(dlk_test_sources var)
    cmake_parse_arguments(S "" "DIR" "FILES;ELSEWHERE" ${ARGN})
    set(dir ${CMAKE_CURRENT_SOURCE_DIR}/${S_DIR})
    set(listed "")
    foreach(name ${S_FILES} ${S_ELSEWHERE})
        if(NOT EXISTS ${dir}/${name})
            message(FATAL_ERROR "Test source ${S_DIR}/${name} is listed in "
                                "${CMAKE_CURRENT_LIST_FILE} but missing")
        endif()
        list(APPEND listed ${dir}/${name})
    endforeach()
    file(GLOB present CONFIGURE_DEPENDS ${dir}/*.cpp)
    foreach(file ${present})
        if(NOT file IN_LIST listed)
            get_filename_component(name ${file} NAME)
            message(FATAL_ERROR "Test source ${S_DIR}/${name} is not listed: "
                                "add it to ${CMAKE_CURRENT_LIST_FILE}")
        endif()
    endforeach()
    list(TRANSFORM S_FILES PREPEND ${dir}/)
    set(${var} ${S_FILES} PARENT_SCOPE)
endfunction()

# Every translation unit that includes Qt Widgets or GoogleTest spends most of
# its compile time in their headers, so the Qt targets and the test programs
# are compiled a few files at a time as one unit. Batches stay small so that
# the units of one target still keep every core busy. -DDLK_UNITY=OFF compiles
# file by file (e.g. to see that each file includes what it uses).
option(DLK_UNITY "Compile the Qt targets and the tests in small unity batches" ON)
set(DLK_UNITY_BATCH 6 CACHE STRING "Files per unity batch")

function(dlk_unity target)
    if(DLK_UNITY)
        set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE ${DLK_UNITY_BATCH})
    endif()
endfunction()

# Every translation unit that includes Qt Widgets spends most of its compile
# time in Qt's headers, so the Qt targets are compiled a few files at a time
# as one unit. Batches stay small so that the units of one library still keep
# every core busy. -DDLK_UNITY=OFF compiles file by file (e.g. to see that
# each file includes what it uses).
option(DLK_UNITY "Compile the Qt targets in small unity batches" ON)
set(DLK_UNITY_BATCH 6 CACHE STRING "Files per unity batch of a Qt target")

function(dlk_unity target)
    if(DLK_UNITY)
        set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE ${DLK_UNITY_BATCH})
    endif()
endfunction()

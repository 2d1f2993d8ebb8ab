# Loaded into Qt's own configuration by build-qt.sh (CMAKE_PROJECT_INCLUDE):
# two of its targets are compiled as a few unity sources rather than one
# source at a time. HarfBuzz is written to be compiled as one (its own
# harfbuzz.cc includes every source), and the Windows platform plug-in
# compiles cleanly so; both parse the same large headers (HarfBuzz's own,
# windows.h and Qt's private ones) in each of some fifty sources, with no
# precompiled header. Together they were a fifth of Qt's compiling, and this
# halves that. Qt's modules themselves already use precompiled headers.
include_guard(GLOBAL)

function(kovrenda_unity_builds)
    foreach(target IN ITEMS BundledHarfbuzz QWindowsIntegrationPlugin)
        if(TARGET ${target})
            set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 10)
        endif()
    endforeach()
endfunction()

# The targets exist once the whole source tree has been read.
cmake_language(DEFER DIRECTORY "${CMAKE_SOURCE_DIR}" CALL kovrenda_unity_builds)

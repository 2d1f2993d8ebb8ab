# Where the Windows build's DLLs come from: Qt's own bin folder, and the
# folders of MinGW's run-time DLLs (the C++ library, GCC's support library,
# the threads, the stack protector), which the compiler names itself.
function(kovrenda_windows_dll_dirs out)
    get_target_property(core Qt6::Core IMPORTED_LOCATION_RELEASE)
    if(NOT core)
        get_target_property(core Qt6::Core IMPORTED_LOCATION)
    endif()
    get_filename_component(dirs "${core}" DIRECTORY)
    foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll libssp-0.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
            OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(IS_ABSOLUTE "${path}" AND EXISTS "${path}")
            get_filename_component(dir "${path}" DIRECTORY)
            list(APPEND dirs "${dir}")
        endif()
    endforeach()
    list(REMOVE_DUPLICATES dirs)
    set(${out} ${dirs} PARENT_SCOPE)
endfunction()

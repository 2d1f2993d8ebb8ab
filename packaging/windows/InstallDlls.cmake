# Run at install time (install(SCRIPT)): copies into the installed folder the
# DLLs that the executable and the plugins import, and those that these
# import in turn, as objdump reads them from their import tables
# ("DLL Name: ..."), taken from the folders in KOVRENDA_DLL_DIRS. Windows
# matches DLL names in any letter case, and so does this. A DLL found in none
# of the folders is Windows' own (KERNEL32.dll, USER32.dll, ...); a Qt or
# GCC library among those means a folder is missing, and stops the install.
#
# Set before: KOVRENDA_OBJDUMP, KOVRENDA_DLL_DIRS, KOVRENDA_BINARIES (paths
# relative to the installed folder), KOVRENDA_STRIP (empty: no stripping).
set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")

set(available)
foreach(dir IN LISTS KOVRENDA_DLL_DIRS)
    file(GLOB found "${dir}/*.dll" "${dir}/*.DLL")
    list(APPEND available ${found})
endforeach()

set(queue)
foreach(binary IN LISTS KOVRENDA_BINARIES)
    list(APPEND queue "${root}/${binary}")
endforeach()
set(shipped)
set(system)
while(queue)
    list(POP_FRONT queue binary)
    execute_process(COMMAND "${KOVRENDA_OBJDUMP}" -p "${binary}"
        OUTPUT_VARIABLE imports COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${imports}")
    foreach(import IN LISTS imports)
        string(REGEX REPLACE "^DLL Name: " "" name "${import}")
        string(STRIP "${name}" name)
        string(TOLOWER "${name}" lower)
        set(match)
        foreach(candidate IN LISTS available)
            get_filename_component(candidate_name "${candidate}" NAME)
            string(TOLOWER "${candidate_name}" candidate_lower)
            if(candidate_lower STREQUAL lower)
                set(match "${candidate}")
                break()
            endif()
        endforeach()
        list(FIND shipped "${match}" known)
        if(NOT match)
            list(APPEND system "${name}")
        elseif(known EQUAL -1)
            list(APPEND shipped "${match}")
            list(APPEND queue "${match}")
        endif()
    endforeach()
endwhile()

list(REMOVE_DUPLICATES system)
set(missing ${system})
list(FILTER missing INCLUDE REGEX "^([Qq][Tt]6|lib)")
if(missing)
    message(FATAL_ERROR "DLLs not found in ${KOVRENDA_DLL_DIRS}: ${missing}")
endif()
list(SORT shipped)
foreach(dll IN LISTS shipped)
    get_filename_component(name "${dll}" NAME)
    message(STATUS "Shipping ${name} (${dll})")
    file(COPY "${dll}" DESTINATION "${root}")
    if(KOVRENDA_STRIP)
        execute_process(COMMAND "${KOVRENDA_STRIP}" --strip-unneeded "${root}/${name}"
            COMMAND_ERROR_IS_FATAL ANY)
    endif()
endforeach()
# The plugins, which install(FILES) copies as they are.
foreach(binary IN LISTS KOVRENDA_BINARIES)
    if(KOVRENDA_STRIP AND binary MATCHES "\\.dll$")
        execute_process(COMMAND "${KOVRENDA_STRIP}" --strip-unneeded "${root}/${binary}"
            COMMAND_ERROR_IS_FATAL ANY)
    endif()
endforeach()
list(SORT system)
message(STATUS "Windows' own DLLs, not shipped: ${system}")

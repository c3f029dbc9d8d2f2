# System libraries that a program needs only for part of its work are loaded at their first call,
# not before `main`: the run box's first frame then waits for neither the shell nor COM, which it
# needs only once a command is started or completed. For each library a delay-load import library
# is made once, at configure time, from the toolchain's own import library (every function that
# names) with the toolchain's dlltool; the loader's helper comes with the MinGW runtime.
#
# nimbrel_delay_loaded(<out-var> <library>...) sets <out-var> to the libraries to link, in the
# order given: the delay-load library of each, or the plain one where it cannot be made.
function(nimbrel_delay_loaded out_var)
    set(made "")
    foreach(library IN LISTS ARGN)
        set(delayed "${CMAKE_BINARY_DIR}/delayload/lib${library}_delayed.a")
        if(NOT EXISTS "${delayed}")
            find_file(import_${library} "lib${library}.a" PATHS ${CMAKE_FIND_ROOT_PATH} PATH_SUFFIXES lib
                      NO_DEFAULT_PATH)
            if(NOT import_${library} OR NOT CMAKE_NM OR NOT CMAKE_DLLTOOL)
                message(STATUS "${library}: loaded at the start (no import library or tools to delay it)")
                list(APPEND made ${library})
                continue()
            endif()
            execute_process(COMMAND "${CMAKE_NM}" "${import_${library}}" OUTPUT_VARIABLE symbols
                            RESULT_VARIABLE failed ERROR_QUIET)
            # An import library names each function twice; the "__imp_" one is the import itself.
            string(REGEX MATCHALL " I __imp_[A-Za-z0-9_@?$]+" imports "${symbols}")
            list(TRANSFORM imports REPLACE "^ I __imp_" "")
            list(REMOVE_DUPLICATES imports)
            list(JOIN imports "\n" exports)
            file(MAKE_DIRECTORY "${CMAKE_BINARY_DIR}/delayload")
            file(WRITE "${CMAKE_BINARY_DIR}/delayload/${library}.def" "LIBRARY ${library}.dll\nEXPORTS\n${exports}\n")
            if(NOT failed AND imports)
                execute_process(COMMAND "${CMAKE_DLLTOOL}" --input-def "${CMAKE_BINARY_DIR}/delayload/${library}.def"
                                        --output-delaylib "${delayed}" --dllname "${library}.dll"
                                RESULT_VARIABLE failed)
            endif()
            if(failed OR NOT imports OR NOT EXISTS "${delayed}")
                message(STATUS "${library}: loaded at the start (its delay-load library could not be made)")
                list(APPEND made ${library})
                continue()
            endif()
        endif()
        list(APPEND made "${delayed}")
    endforeach()
    set(${out_var} ${made} PARENT_SCOPE)
endfunction()

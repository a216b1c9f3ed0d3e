# delay_import_library(target dll symbol...): an import library whose DLL is
# loaded at the first call of one of its functions instead of at start-up.
function(delay_import_library target dll)
    set(def ${CMAKE_CURRENT_BINARY_DIR}/${target}.def)
    set(lib ${CMAKE_CURRENT_BINARY_DIR}/lib${target}.a)
    # 32-bit stdcall names carry their argument size, which the DLL's names
    # lack, and C names there carry an underscore.
    set(kill "")
    set(prefix "")
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        set(kill -k)
        set(prefix _)
    endif()
    set(text "LIBRARY ${dll}\nEXPORTS\n")
    set(force "")
    foreach(symbol ${ARGN})
        string(APPEND text "${symbol}\n")
        # The delay slot starts out pointing into the function's own stub,
        # which the i386 linker drops unless something names it: name each.
        list(APPEND force "LINKER:-u,${prefix}${symbol}")
    endforeach()
    file(WRITE ${def} "${text}")
    add_custom_command(OUTPUT ${lib}
        COMMAND ${CMAKE_DLLTOOL} ${kill} -d ${def} -y ${lib}
        DEPENDS ${def} VERBATIM)
    add_custom_target(${target}_lib DEPENDS ${lib})
    add_library(${target} STATIC IMPORTED GLOBAL)
    set_target_properties(${target} PROPERTIES IMPORTED_LOCATION ${lib}
                                               INTERFACE_LINK_OPTIONS "${force}")
    add_dependencies(${target} ${target}_lib)
endfunction()

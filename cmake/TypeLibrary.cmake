# Compiles an IDL file with widl into a type library and a C/C++ header.
find_program(WIDL NAMES i686-w64-mingw32-widl widl REQUIRED)
set(WINE_IDL_DIR /usr/include/wine/wine/windows CACHE PATH "System IDL files (libwine-dev)")
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(WIDL_ARCH -m64)
    set(WINE_TLB_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows CACHE PATH "Folder holding stdole2.tlb")
else()
    set(WIDL_ARCH -m32)
    set(WINE_TLB_DIR /usr/lib/i386-linux-gnu/wine/i386-windows CACHE PATH "Folder holding stdole2.tlb")
endif()

function(varnook_idl idl out_dir)
    get_filename_component(base ${idl} NAME_WE)
    set(tlb ${out_dir}/${base}.tlb)
    set(hdr ${out_dir}/${base}_h.h)
    add_custom_command(
        OUTPUT ${tlb} ${hdr}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
        COMMAND ${WIDL} ${WIDL_ARCH} -I ${WINE_IDL_DIR} -L ${WINE_TLB_DIR} -t -o ${tlb} ${idl}
        COMMAND ${WIDL} ${WIDL_ARCH} -I ${WINE_IDL_DIR} -h -o ${hdr} ${idl}
        DEPENDS ${idl}
        COMMENT "widl ${base}.idl"
        VERBATIM)
endfunction()

# corvane_type_library(<idl> <variable>): compiles <idl> with widl into a .tlb beside the
# folder's build files (the system kind of the target: --win32 or --win64) and stores its path
# in <variable>, for a TYPELIB resource. IDL files that <idl> imports are found beside it.
function(corvane_type_library idl variable)
  get_filename_component(name ${idl} NAME_WE)
  get_filename_component(idl_dir ${idl} DIRECTORY)
  set(tlb ${CMAKE_CURRENT_BINARY_DIR}/${name}.tlb)
  add_custom_command(OUTPUT ${tlb}
    COMMAND ${CORVANE_WIDL} ${CORVANE_WIDL_TARGET} -t -I ${idl_dir} -L ${CORVANE_WINE_LIB_DIR} -o ${tlb} ${idl}
    DEPENDS ${idl}
    VERBATIM)
  set(${variable} ${tlb} PARENT_SCOPE)
endfunction()

# corvane_type_library_header(<idl> <variable>): the C/C++ header widl generates from <idl>, for
# clients that bind early; its path goes to <variable>.
function(corvane_type_library_header idl variable)
  get_filename_component(name ${idl} NAME_WE)
  get_filename_component(idl_dir ${idl} DIRECTORY)
  set(header ${CMAKE_CURRENT_BINARY_DIR}/${name}.h)
  add_custom_command(OUTPUT ${header}
    COMMAND ${CORVANE_WIDL} ${CORVANE_WIDL_TARGET} -h -I ${idl_dir} -o ${header} ${idl}
    DEPENDS ${idl}
    VERBATIM)
  set(${variable} ${header} PARENT_SCOPE)
endfunction()

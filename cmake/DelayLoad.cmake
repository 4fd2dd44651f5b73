# lumbra_delay_loaded(NAME DLL DEF_IN): an imported library NAME_delayed that
# binds DLL's functions on their first call instead of at the program's
# start, made by dlltool from our own list of what we use (DEF_IN, with the
# 32-bit @ sizes, which the 64-bit build drops).
function(lumbra_delay_loaded name dll def_in)
  find_program(LUMBRA_DLLTOOL ${LUMBRA_TRIPLE}-dlltool REQUIRED)
  file(READ ${def_in} exports)
  set(kill_at -k)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    string(REGEX REPLACE "@[0-9]+" "" exports "${exports}")
    set(kill_at)
  endif()
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/delayload/${name})
  file(WRITE ${dir}/${name}.def "${exports}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def_in})
  execute_process(COMMAND ${LUMBRA_DLLTOOL} --input-def ${name}.def --dllname ${dll} ${kill_at}
                          --output-delaylib lib${name}_delayed.a
                  WORKING_DIRECTORY ${dir} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "dlltool could not make the delay-loaded library for ${dll}")
  endif()
  add_library(${name}_delayed STATIC IMPORTED GLOBAL)
  set_target_properties(${name}_delayed PROPERTIES IMPORTED_LOCATION ${dir}/lib${name}_delayed.a)
endfunction()

# Compiling form descriptions (.vfm) with formc and embedding them as RT_RCDATA resources.
set(VELMORA_FORMC ${CMAKE_BINARY_DIR}/tools/formc)

# velmora_compile_form(<out_var> <description.vfm>)
# Compiles the description at build time into <current binary dir>/forms/<name>.bin and sets <out_var>
# to that path. Beside it formc writes <name>.rc, a resource script embedding the stream as an
# RT_RCDATA resource named after the form's class in capitals. Files read by @file(...) are tracked.
# Like any custom command output, the stream is built only for a target of this folder that uses it:
#   add_custom_target(my_forms DEPENDS ${FORM_BIN})  and  add_dependencies(my_tests my_forms).
function(velmora_compile_form out_var description)
  get_filename_component(description "${description}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  get_filename_component(name "${description}" NAME_WE)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/forms)
  set(${out_var} ${dir}/${name}.bin PARENT_SCOPE)
  # A description compiled once in this folder already has its rule; two descriptions of one file name would
  # overwrite each other's output.
  get_property(earlier DIRECTORY PROPERTY VELMORA_FORM_SOURCE_${name})
  if(earlier STREQUAL description)
    return()
  elseif(earlier)
    message(FATAL_ERROR "Form descriptions ${earlier} and ${description} would both compile to ${name}.bin")
  endif()
  set_property(DIRECTORY PROPERTY VELMORA_FORM_SOURCE_${name} ${description})
  add_custom_command(OUTPUT ${dir}/${name}.bin ${dir}/${name}.rc
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${VELMORA_FORMC} --depfile ${dir}/${name}.d --rc ${dir}/${name}.rc -o ${dir}/${name}.bin ${description}
    DEPENDS ${description} ${VELMORA_FORMC} velmora_formc
    DEPFILE ${dir}/${name}.d
    COMMENT "Compiling form description ${name}"
    VERBATIM)
endfunction()

# velmora_add_form_resources(<target> <description.vfm>...)
# Makes the object library <target> holding every form as an RT_RCDATA resource named after its class
# in capitals ("TFORM1"); link it into the program or a test program.
function(velmora_add_form_resources target)
  set(scripts)
  foreach(description ${ARGN})
    velmora_compile_form(compiled ${description})
    string(REGEX REPLACE "\\.bin$" ".rc" script ${compiled})
    set_source_files_properties(${script} PROPERTIES GENERATED TRUE OBJECT_DEPENDS ${compiled})
    list(APPEND scripts ${script})
  endforeach()
  add_library(${target} OBJECT ${scripts})
endfunction()

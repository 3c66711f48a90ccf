# Compiling form descriptions (.vfm) with formc and embedding them as RT_RCDATA resources.
set(VELMORA_FORMC ${CMAKE_BINARY_DIR}/tools/formc)

# velmora_compile_form(<out_var> <description.vfm>)
# Compiles the description at build time into <current binary dir>/forms/<name>.bin and sets <out_var>
# to that path. Beside it formc writes <name>.rc, a resource script embedding the stream as an
# RT_RCDATA resource named after the form's class in capitals. Files read by @file(...) are tracked.
function(velmora_compile_form out_var description)
  get_filename_component(description "${description}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  get_filename_component(name "${description}" NAME_WE)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/forms)
  add_custom_command(OUTPUT ${dir}/${name}.bin ${dir}/${name}.rc
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${VELMORA_FORMC} --depfile ${dir}/${name}.d --rc ${dir}/${name}.rc -o ${dir}/${name}.bin ${description}
    DEPENDS ${description} ${VELMORA_FORMC} velmora_formc
    DEPFILE ${dir}/${name}.d
    COMMENT "Compiling form description ${name}"
    VERBATIM)
  set(${out_var} ${dir}/${name}.bin PARENT_SCOPE)
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

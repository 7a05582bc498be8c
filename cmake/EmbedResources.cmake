# Builds the files named in res/resources.list into the program, so that nothing is read from disk at run time.
# The bytes go in through the assembler's .incbin (fast even for the 20 MB backgrounds); a generated table
# gives each file's type, id and bounds to the resource lookup of the platform layer.

function(embed_resources target list_file)
  get_filename_component(res_dir "${list_file}" DIRECTORY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${list_file}")
  file(STRINGS "${list_file}" lines)

  set(asm "# Generated from ${list_file}; do not edit.\n.section .rodata\n")
  set(decls "")
  set(rows "")
  set(files "")
  foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    if(line STREQUAL "" OR line MATCHES "^#")
      continue()
    endif()
    string(REGEX REPLACE "[ \t]+" ";" fields "${line}")
    list(LENGTH fields count)
    if(NOT count EQUAL 3)
      message(FATAL_ERROR "${list_file}: expected 'id type file', got '${line}'")
    endif()
    list(GET fields 0 id)
    list(GET fields 1 type)
    list(GET fields 2 name)
    set(path "${res_dir}/${name}")
    if(NOT EXISTS "${path}")
      message(FATAL_ERROR "${list_file}: ${name} is listed but ${path} does not exist")
    endif()
    set(sym "hoshikuzu_res_${type}_${id}")
    string(APPEND asm ".balign 16\n.global ${sym}\n.global ${sym}_end\n${sym}:\n.incbin \"${path}\"\n${sym}_end:\n")
    string(APPEND decls "extern \"C\" const unsigned char ${sym}[];\nextern \"C\" const unsigned char ${sym}_end[];\n")
    string(APPEND rows "    {\"${type}\", ${id}, \"${name}\", ${sym}, ${sym}_end},\n")
    list(APPEND files "${path}")
  endforeach()
  string(APPEND asm ".section .note.GNU-stack,\"\",@progbits\n")

  set(gen "${CMAKE_CURRENT_BINARY_DIR}/${target}")
  file(CONFIGURE OUTPUT "${gen}/resources_data.S" CONTENT "${asm}")
  file(CONFIGURE OUTPUT "${gen}/resources_table.cpp" CONTENT
"// Generated from ${list_file}; do not edit.
#include \"platform/resources.h\"

${decls}
const EmbeddedResource kEmbeddedResources[] = {
${rows}};
const int kEmbeddedResourceCount = sizeof(kEmbeddedResources) / sizeof(kEmbeddedResources[0]);
")
  set_source_files_properties("${gen}/resources_data.S" PROPERTIES OBJECT_DEPENDS "${files}")
  add_library(${target} OBJECT "${gen}/resources_data.S" "${gen}/resources_table.cpp")
  target_include_directories(${target} PRIVATE "${CMAKE_SOURCE_DIR}")
endfunction()

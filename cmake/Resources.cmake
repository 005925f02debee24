# Compiles files into the program as resources of language 1036, looked up by type and name
# at run time (platform/resources.h). Arguments after the target come in threes: type, name, file.
# A type or name made of digits only is an integer id; anything else is a string name.
function(skarnholm_add_resources target)
  set(entries "")
  set(files "")
  list(LENGTH ARGN count)
  math(EXPR last "${count} - 1")
  foreach(i RANGE 0 ${last} 3)
    math(EXPR n "${i} + 1")
    math(EXPR f "${i} + 2")
    list(GET ARGN ${i} type)
    list(GET ARGN ${n} name)
    list(GET ARGN ${f} file)
    get_filename_component(file "${file}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    string(APPEND entries "${type}|${name}|${file}\n")
    list(APPEND files "${file}")
  endforeach()

  set(list_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.list")
  set(out_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp")
  file(WRITE "${list_file}.in" "${entries}")
  configure_file("${list_file}.in" "${list_file}" COPYONLY)
  add_custom_command(
    OUTPUT "${out_file}"
    COMMAND ${CMAKE_COMMAND} -DLIST_FILE=${list_file} -DOUT_FILE=${out_file}
            -P "${PROJECT_SOURCE_DIR}/cmake/EmbedResources.cmake"
    DEPENDS ${files} "${list_file}" "${PROJECT_SOURCE_DIR}/cmake/EmbedResources.cmake"
    COMMENT "Compiling resources into ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE "${out_file}")
endfunction()

# Writes OUT_FILE, a C++ source holding the bytes of every resource listed in LIST_FILE
# (lines of "type|name|path") and the table that platform/resources.cpp searches.
file(STRINGS "${LIST_FILE}" lines)

function(resource_id_literal value out)
  if(value MATCHES "^[0-9]+$")
    set(${out} "ResourceId{${value}}" PARENT_SCOPE)
  else()
    set(${out} "ResourceId{u\"${value}\"}" PARENT_SCOPE)
  endif()
endfunction()

set(arrays "")
set(rows "")
set(index 0)
foreach(line IN LISTS lines)
  string(REPLACE "|" ";" fields "${line}")
  list(GET fields 0 type)
  list(GET fields 1 name)
  list(GET fields 2 path)
  file(SIZE "${path}" size)
  file(READ "${path}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND arrays "constexpr std::array<std::uint8_t, ${size}> kBytes${index}{${bytes}};\n")
  resource_id_literal("${type}" type_literal)
  resource_id_literal("${name}" name_literal)
  string(APPEND rows "    {${type_literal}, ${name_literal}, 1036, kBytes${index}},\n")
  math(EXPR index "${index} + 1")
endforeach()

file(WRITE "${OUT_FILE}.tmp" "// Generated from the resource list of the build; do not edit.
#include \"platform/resource_table.h\"

#include <array>

namespace platform::detail {
namespace {
${arrays}
const CompiledResource kTable[] = {
${rows}};
} // namespace

std::span<const CompiledResource> compiledResources()
{
    return kTable;
}
} // namespace platform::detail
")
file(COPY_FILE "${OUT_FILE}.tmp" "${OUT_FILE}" ONLY_IF_DIFFERENT)

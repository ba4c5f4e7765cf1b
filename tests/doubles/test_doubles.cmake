# koru_test_double(<target> FILE_NAME <dll file name> [FOLDER <subfolder>]
#                  SOURCES <sources or $<TARGET_OBJECTS:...>>
#                  EXPORTS <Export=Internal:argument bytes>... [LIBRARIES <libs>])
#
# Builds one test double: a DLL named exactly like the outside library it
# stands for, whose exports are listed in a .def generated here. Every export
# is a standard-call function; its undecorated name maps to an internal one,
# and the argument bytes are its i686 decoration (Internal@8 for two
# arguments), so one export list serves both architectures.
#
# The DLL lands in ${KORU_DOUBLES_OUTPUT_DIR}/<FOLDER>/. In the i686
# configuration a test checks with objdump that each export is undecorated
# and pops exactly its argument bytes (ret $n).

set(KORU_DOUBLES_DIR ${CMAKE_CURRENT_LIST_DIR})

function(koru_test_double target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "FILE_NAME;FOLDER" "SOURCES;EXPORTS;LIBRARIES")
  if(NOT arg_FILE_NAME OR NOT arg_SOURCES OR NOT arg_EXPORTS)
    message(FATAL_ERROR "koru_test_double(${target}): FILE_NAME, SOURCES and EXPORTS are required")
  endif()

  set(def "EXPORTS\n")
  foreach(item IN LISTS arg_EXPORTS)
    if(NOT item MATCHES "^([A-Za-z0-9_]+)=([A-Za-z0-9_]+):([0-9]+)$")
      message(FATAL_ERROR "koru_test_double(${target}): export '${item}' is not Export=Internal:bytes")
    endif()
    if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
      string(APPEND def "  ${CMAKE_MATCH_1} = ${CMAKE_MATCH_2}@${CMAKE_MATCH_3}\n")
    else()
      string(APPEND def "  ${CMAKE_MATCH_1} = ${CMAKE_MATCH_2}\n")
    endif()
  endforeach()
  set(def_file ${CMAKE_CURRENT_BINARY_DIR}/defs/${target}.def)
  file(CONFIGURE OUTPUT ${def_file} CONTENT "${def}")

  add_library(${target} SHARED ${arg_SOURCES} ${def_file})
  target_link_libraries(${target} PRIVATE koru_double_support ${arg_LIBRARIES})
  get_filename_component(base ${arg_FILE_NAME} NAME_WLE)
  get_filename_component(suffix ${arg_FILE_NAME} LAST_EXT)
  set_target_properties(${target} PROPERTIES
    PREFIX "" OUTPUT_NAME ${base} SUFFIX ${suffix}
    RUNTIME_OUTPUT_DIRECTORY ${KORU_DOUBLES_OUTPUT_DIR}/${arg_FOLDER}
    ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/import/${target})

  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686" AND NOT KORU_DOUBLES_STANDALONE)
    add_test(NAME double_exports_${target}
      COMMAND python3 ${KORU_DOUBLES_DIR}/check_exports.py exports ${KORU_OBJDUMP} $<TARGET_FILE:${target}> ${def_file})
  endif()
endfunction()

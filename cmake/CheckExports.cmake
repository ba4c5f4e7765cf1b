# Fails the build unless LIBRARY exports exactly the names DEF_FILE lists
# under EXPORTS, undecorated, as `objdump -p` shows them.
#   cmake -DOBJDUMP=... -DLIBRARY=... -DDEF_FILE=... -P CheckExports.cmake

file(STRINGS "${DEF_FILE}" def_lines)
set(expected)
set(in_exports FALSE)
foreach(line IN LISTS def_lines)
  string(STRIP "${line}" line)
  if(line STREQUAL "EXPORTS")
    set(in_exports TRUE)
  elseif(in_exports AND NOT line STREQUAL "")
    list(APPEND expected "${line}")
  endif()
endforeach()
list(SORT expected)

execute_process(COMMAND "${OBJDUMP}" -p "${LIBRARY}" OUTPUT_VARIABLE dump RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "objdump -p ${LIBRARY} failed")
endif()
# The name pointer table: lines such as "	[   0] CompareFileDateTime".
string(FIND "${dump}" "[Ordinal/Name Pointer] Table" start)
if(start EQUAL -1)
  message(FATAL_ERROR "${LIBRARY} exports nothing")
endif()
string(SUBSTRING "${dump}" ${start} -1 table)
string(REGEX MATCHALL "\n[ \t]*\\[[ 0-9]+\\] [^\n]*" rows "${table}")
set(actual)
foreach(row IN LISTS rows)
  string(REGEX REPLACE "^\n[ \t]*\\[[ 0-9]+\\] " "" name "${row}")
  list(APPEND actual "${name}")
endforeach()
list(SORT actual)

if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "${LIBRARY} exports [${actual}], expected exactly [${expected}]")
endif()

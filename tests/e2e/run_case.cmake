# Runs one row of the end-to-end case table against the real program and
# compares its standard output byte for byte, its exit status, and (where the
# case has them) the calls the fake directory library received.
#
# -DTABLE=cases.txt -DCASE=name -DPROGRAM=path/to/quorvel -DWORK=dir
# -DFAKE_DIR=dir -DFAKE_NO_GETINFO_DIR=dir
# Optional: -DEMULATOR=wine -DLINE_END=crlf (expected "\n" read as "\r\n");
# -DOVERRIDES=wine_cases.txt, a table whose row replaces the row of the same name.
cmake_minimum_required(VERSION 3.25)

get_filename_component(here "${TABLE}" DIRECTORY)

# Rows: name | expected | fixture | library | program | status | arguments
# Backslashes are set aside while the table is a CMake list, where a
# backslash before the separator would join two rows.
file(READ "${TABLE}" table)
string(REPLACE "\\" "<backslash>" table "${table}")
string(REPLACE "\n" ";" rows "${table}")
set(row "")
foreach(line IN LISTS rows)
  if(line MATCHES "^${CASE} *\\|")
    set(row "${line}")
  endif()
endforeach()
if(OVERRIDES)
  file(READ "${OVERRIDES}" table)
  string(REPLACE "\\" "<backslash>" table "${table}")
  string(REPLACE "\n" ";" rows "${table}")
  foreach(line IN LISTS rows)
    if(line MATCHES "^${CASE} *\\|")
      set(row "${line}")
    endif()
  endforeach()
endif()
if(row STREQUAL "")
  message(FATAL_ERROR "no case named ${CASE}")
endif()
string(REPLACE "|" ";" fields "${row}")
list(LENGTH fields fieldCount)
if(fieldCount LESS 7)
  message(FATAL_ERROR "case ${CASE}: expected 7 fields")
endif()
set(names name expected fixture library program status)
foreach(i RANGE 0 5)
  list(GET fields ${i} value)
  string(STRIP "${value}" value)
  string(REPLACE "<backslash>" "\\" value "${value}")
  list(GET names ${i} key)
  set(${key} "${value}")
endforeach()
# Arguments may themselves hold "|": take everything after the sixth bar.
string(REGEX REPLACE "^([^|]*\\|){6}" "" argumentText "${row}")
string(STRIP "${argumentText}" argumentText)
# Arguments are separated by spaces and taken literally, backslashes included.
string(REGEX REPLACE " +" ";" arguments "${argumentText}")
string(REPLACE "<backslash>" "\\" arguments "${arguments}")

set(work "${WORK}/${CASE}")
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}/bin")
# The program runs from a copy, so the name it is started under is the case's
# own, and no library is found beside it unless the case puts one on the path.
get_filename_component(programFile "${PROGRAM}" NAME)
if(program STREQUAL "-")
  set(program "${programFile}")
endif()
file(COPY_FILE "${PROGRAM}" "${work}/bin/${program}")

set(environment "QUORVEL_FAKE_LOG=${work}/calls.log")
if(NOT fixture STREQUAL "-")
  list(APPEND environment "QUORVEL_FAKE_FIXTURE=${here}/fixtures/${fixture}")
endif()
if(library STREQUAL "fake")
  set(libraryDir "${FAKE_DIR}")
elseif(library STREQUAL "fake-no-getinfo")
  set(libraryDir "${FAKE_NO_GETINFO_DIR}")
elseif(library STREQUAL "none")
  set(libraryDir "${work}/no-library")
elseif(library STREQUAL "wine" AND EMULATOR)
  # Wine's own netapi32 and message tables.
  set(libraryDir "")
else()
  message(FATAL_ERROR "case ${CASE}: unknown library ${library}")
endif()
if(EMULATOR)
  # Beside the program is where the Windows loader looks first, and Wine takes
  # a library from there only when told to prefer it to its own.
  set(dllOverrides "$ENV{WINEDLLOVERRIDES}")
  if(NOT libraryDir STREQUAL "")
    file(GLOB dlls "${libraryDir}/*.dll")
    foreach(dll IN LISTS dlls)
      file(COPY "${dll}" DESTINATION "${work}/bin")
    endforeach()
    list(APPEND dllOverrides "netapi32=n")
  endif()
  string(REPLACE ";" "\\;" dllOverrides "${dllOverrides}")
  list(APPEND environment "WINEDLLOVERRIDES=${dllOverrides}")
else()
  list(APPEND environment "LD_LIBRARY_PATH=${libraryDir}")
endif()

execute_process(
  COMMAND ${CMAKE_COMMAND} -E env ${environment} ${EMULATOR} "bin/${program}" ${arguments}
  WORKING_DIRECTORY "${work}"
  OUTPUT_FILE "${work}/stdout"
  ERROR_FILE "${work}/stderr"
  RESULT_VARIABLE exitStatus
  TIMEOUT 60)

set(failures "")
file(READ "${work}/stdout" actualHex HEX)
set(expectedFile "${here}/expected/${expected}.out")
file(READ "${expectedFile}" expectedHex HEX)
if(LINE_END STREQUAL "crlf")
  # Each line feed becomes a carriage return and a line feed. The bytes are
  # rewritten as hex, one pair and a space each, since reading a file as text
  # would drop the carriage returns that the expected bytes may hold.
  string(REGEX REPLACE "(..)" "\\1 " expectedHex "${expectedHex}")
  string(REPLACE "0a " "0d0a" expectedHex "${expectedHex}")
  string(REPLACE " " "" expectedHex "${expectedHex}")
endif()
if(NOT actualHex STREQUAL expectedHex)
  file(READ "${work}/stdout" actualText)
  list(APPEND failures "standard output differs from expected/${expected}.out (written to ${work}/stdout):\n${actualText}")
endif()
if(NOT exitStatus STREQUAL status)
  list(APPEND failures "exit status ${exitStatus}, expected ${status}")
endif()
if(NOT EMULATOR)
  file(READ "${work}/stderr" errors)
  if(NOT errors STREQUAL "")
    list(APPEND failures "standard error is not empty:\n${errors}")
  endif()
endif()
if(EXISTS "${here}/expected/${CASE}.calls")
  set(calls "")
  if(EXISTS "${work}/calls.log")
    file(READ "${work}/calls.log" calls)
  endif()
  file(READ "${here}/expected/${CASE}.calls" expectedCalls)
  if(NOT calls STREQUAL expectedCalls)
    list(APPEND failures "calls differ from expected/${CASE}.calls:\n${calls}")
  endif()
endif()
if(EXISTS "${here}/expected/${CASE}.pages")
  file(STRINGS "${work}/calls.log" pageCalls REGEX "^NetQueryDisplayInformation")
  list(JOIN pageCalls "\n" pageCalls)
  file(READ "${here}/expected/${CASE}.pages" expectedPages)
  string(STRIP "${expectedPages}" expectedPages)
  if(NOT pageCalls STREQUAL expectedPages)
    list(APPEND failures "page calls differ from expected/${CASE}.pages:\n${pageCalls}")
  endif()
endif()

if(failures)
  list(JOIN failures "\n" report)
  message(FATAL_ERROR "${report}")
endif()

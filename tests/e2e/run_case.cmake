# Runs one row of the end-to-end case table against the real program and
# compares its standard output byte for byte, its exit status, and (where the
# case has them) the calls the fake directory library received.
#
# -DTABLE=cases.txt -DCASE=name -DPROGRAM=path/to/quorvel -DWORK=dir
# -DFAKE_DIR=dir -DFAKE_NO_GETINFO_DIR=dir
# Optional: -DEMULATOR=wine -DLINE_END=crlf (expected "\n" read as "\r\n").
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
else()
  message(FATAL_ERROR "case ${CASE}: unknown library ${library}")
endif()
if(EMULATOR)
  # Beside the program is where the Windows loader looks first.
  file(GLOB dlls "${libraryDir}/*.dll")
  foreach(dll IN LISTS dlls)
    file(COPY "${dll}" DESTINATION "${work}/bin")
  endforeach()
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
if(LINE_END STREQUAL "crlf")
  file(READ "${expectedFile}" expectedText)
  string(REPLACE "\n" "\r\n" expectedText "${expectedText}")
  set(expectedFile "${work}/expected-crlf.out")
  file(WRITE "${expectedFile}" "${expectedText}")
endif()
file(READ "${expectedFile}" expectedHex HEX)
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

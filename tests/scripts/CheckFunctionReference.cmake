# Checks that docs/functions.md is what `loom --functions` prints now, so
# that the checked-in reference follows every function added or changed.
# Regenerate it from a Windows build (which loads KestrelBase) with
#   loom --functions > docs/functions.md
# Usage: cmake -DLOOM=... [-DEMULATOR=...] -DDOC=... -P CheckFunctionReference.cmake
cmake_minimum_required(VERSION 3.20)

set(command "${LOOM}" --functions)
if(EMULATOR)
  set(command "${EMULATOR}" ${command})
endif()
execute_process(COMMAND ${command} OUTPUT_VARIABLE printed ERROR_VARIABLE errors RESULT_VARIABLE exit_status)
if(NOT exit_status EQUAL 0)
  message(FATAL_ERROR "loom --functions failed (${exit_status}):\n${errors}")
endif()
file(READ "${DOC}" checked_in)
string(REPLACE "\r" "" printed "${printed}")
string(REPLACE "\r" "" checked_in "${checked_in}")
if(NOT printed STREQUAL checked_in)
  file(WRITE "${CMAKE_CURRENT_BINARY_DIR}/functions.md.new" "${printed}")
  message(FATAL_ERROR "${DOC} is out of date: loom --functions now prints "
                      "${CMAKE_CURRENT_BINARY_DIR}/functions.md.new; regenerate the file from a Windows build")
endif()

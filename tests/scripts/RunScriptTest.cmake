# Runs one script test: loom on SCRIPT (through EMULATOR when set), then
# SCRIPT_EXPECT (testsupport/ScriptExpect.cpp, through EMULATOR too) checks
# the run against the script's "// expect:", "// expect-like:" and
# "// expect-exit:" lines; every error or warning line of the script must be
# expected. This file reads only the lines that shape the run:
#   // package: NAME      load PACKAGE_DIR/NAME<PACKAGE_SUFFIX> with --package
#   // stdin: TEXT        a line fed to loom's standard input, in order (with
#                         none, loom inherits the runner's standard input)
# Usage: cmake -DLOOM=... [-DEMULATOR=...] -DSCRIPT_EXPECT=... -DSCRIPT=...
#              -DPACKAGE_DIR=... -DPACKAGE_SUFFIX=... -P RunScriptTest.cmake
cmake_minimum_required(VERSION 3.20)

get_filename_component(dir "${SCRIPT}" DIRECTORY)
get_filename_component(name "${SCRIPT}" NAME)
get_filename_component(stem "${SCRIPT}" NAME_WE)

# Read the script line by line; a ';' would split a CMake list, so it
# travels as a placeholder until a line is used as text.
file(READ "${SCRIPT}" content)
string(REPLACE ";" "<semicolon>" content "${content}")
string(REPLACE "\r" "" content "${content}")
string(REPLACE "\n" ";" lines "${content}")

set(package_args "")
set(stdin_text "")
set(has_stdin FALSE)
foreach(line IN LISTS lines)
  if(line MATCHES "^[ \t]*//[ \t]*package:[ \t]*([A-Za-z0-9_]+)")
    list(APPEND package_args --package "${PACKAGE_DIR}/${CMAKE_MATCH_1}${PACKAGE_SUFFIX}")
  elseif(line MATCHES "^[ \t]*//[ \t]*stdin:[ ]?(.*)$")
    string(REPLACE "<semicolon>" ";" text "${CMAKE_MATCH_1}")
    string(APPEND stdin_text "${text}\n")
    set(has_stdin TRUE)
  endif()
endforeach()

set(command "${LOOM}" ${package_args} "${name}")
if(EMULATOR)
  set(command "${EMULATOR}" ${command})
endif()
set(input_args "")
if(has_stdin)
  # Written beside the test's working directory, not into the sources.
  set(stdin_file "${CMAKE_CURRENT_BINARY_DIR}/${stem}.stdin")
  file(WRITE "${stdin_file}" "${stdin_text}")
  set(input_args INPUT_FILE "${stdin_file}")
endif()
execute_process(COMMAND ${command}
  WORKING_DIRECTORY "${dir}"
  ${input_args}
  OUTPUT_VARIABLE output ERROR_VARIABLE output
  RESULT_VARIABLE exit_status)

string(REPLACE "\r" "" output "${output}")
# A summary line's duration differs from run to run: "PASS  x.lm [0.012 s]".
string(REGEX REPLACE " \\[[0-9]+\\.[0-9]+ s\\]\n" "\n" output "${output}")
string(REGEX REPLACE "[ \t]+\n" "\n" output "${output}")
if(NOT exit_status MATCHES "^-?[0-9]+$")
  message("---- output of ${name} ----\n${output}----")
  message(FATAL_ERROR "${name}: loom did not end normally: ${exit_status}")
endif()

# The output goes to the checker in a file beside the test's working
# directory.
set(output_file "${CMAKE_CURRENT_BINARY_DIR}/${stem}.output")
file(WRITE "${output_file}" "${output}")
set(check "${SCRIPT_EXPECT}" "${SCRIPT}" "${output_file}" "${exit_status}")
if(EMULATOR)
  set(check "${EMULATOR}" ${check})
endif()
execute_process(COMMAND ${check} OUTPUT_VARIABLE failures ERROR_VARIABLE failures RESULT_VARIABLE check_status)
if(NOT check_status EQUAL 0)
  message("${failures}---- output of ${name} ----\n${output}----")
  message(FATAL_ERROR "${name} failed")
endif()

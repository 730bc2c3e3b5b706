# Runs one script test: loom on SCRIPT (through EMULATOR when set), then
# checks what the script's comments expect:
#   // expect: TEXT       a line the run must print (stdout or stderr), in order;
#                         every error or warning line of the script must be
#                         expected, so none goes by unnoticed
#   // expect-exit: N     loom's exit status (0 when absent)
#   // package: NAME      load PACKAGE_DIR/NAME<PACKAGE_SUFFIX> with --package
#   // stdin: TEXT        a line fed to loom's standard input, in order (with
#                         none, loom inherits the runner's standard input)
# Usage: cmake -DLOOM=... [-DEMULATOR=...] -DSCRIPT=... -DPACKAGE_DIR=...
#              -DPACKAGE_SUFFIX=... -P RunScriptTest.cmake
cmake_minimum_required(VERSION 3.20)

get_filename_component(dir "${SCRIPT}" DIRECTORY)
get_filename_component(name "${SCRIPT}" NAME)

# Read the script line by line; a ';' would split a CMake list, so it
# travels as a placeholder until a line is used as text.
file(READ "${SCRIPT}" content)
string(REPLACE ";" "<semicolon>" content "${content}")
string(REPLACE "\r" "" content "${content}")
string(REPLACE "\n" ";" lines "${content}")

set(expected_exit 0)
set(expectations "")
set(package_args "")
set(stdin_text "")
set(has_stdin FALSE)
set(count 0)
foreach(line IN LISTS lines)
  if(line MATCHES "^[ \t]*//[ \t]*expect:[ ]?(.*)$")
    string(REGEX REPLACE "[ \t]+$" "" text "${CMAKE_MATCH_1}")
    math(EXPR count "${count} + 1")
    set(expect_${count} "${text}")
  elseif(line MATCHES "^[ \t]*//[ \t]*expect-exit:[ \t]*([0-9]+)")
    set(expected_exit "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^[ \t]*//[ \t]*package:[ \t]*([A-Za-z0-9_]+)")
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
  get_filename_component(stem "${SCRIPT}" NAME_WE)
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
set(failed FALSE)
if(NOT "${exit_status}" STREQUAL "${expected_exit}")
  message("loom exited with ${exit_status}, expected ${expected_exit}")
  set(failed TRUE)
endif()

# Each expected line must appear, whole, after the previous one.
set(rest "\n${output}\n")
foreach(i RANGE 1 ${count})
  if(count EQUAL 0)
    break()
  endif()
  string(REPLACE "<semicolon>" ";" text "${expect_${i}}")
  string(FIND "${rest}" "\n${text}\n" at)
  if(at EQUAL -1)
    message("missing, in order: ${text}")
    set(failed TRUE)
    break()
  endif()
  string(LENGTH "\n${text}" skip)
  math(EXPR at "${at} + ${skip}")
  string(SUBSTRING "${rest}" ${at} -1 rest)
endforeach()

# An error or warning line of a script ("file.lm:LINE: error: ...") that no
# expect line names is a failure too.
set(expected_texts "")
foreach(i RANGE 1 ${count})
  if(count EQUAL 0)
    break()
  endif()
  list(APPEND expected_texts "${expect_${i}}")
endforeach()
string(REPLACE ";" "<semicolon>" listed "${output}")
string(REPLACE "\n" ";" output_lines "${listed}")
foreach(line IN LISTS output_lines)
  if(line MATCHES "\\.lm:[0-9]+(:[0-9]+)?: (error|warning): ")
    list(FIND expected_texts "${line}" known)
    if(known EQUAL -1)
      string(REPLACE "<semicolon>" ";" shown "${line}")
      message("not expected: ${shown}")
      set(failed TRUE)
    endif()
  endif()
endforeach()

if(failed)
  message("---- output of ${name} ----\n${output}----")
  message(FATAL_ERROR "${name} failed")
endif()

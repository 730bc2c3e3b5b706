# Runs loom with --junit on a passing, a failing and an unparsable script
# and checks the exit status (2) and the XML: one test case each, one
# failure (the run-time error) and one error (the syntax error), with the
# reported lines as their text.
# Usage: cmake -DLOOM=... [-DEMULATOR=...] -DPACKAGE=... -DDIR=... -DOUT=... -P CheckJUnit.cmake
cmake_minimum_required(VERSION 3.20)

set(command "${LOOM}" --package "${PACKAGE}" --junit "${OUT}" passes.lm fails.lm unparsable.lm)
if(EMULATOR)
  set(command "${EMULATOR}" ${command})
endif()
file(REMOVE "${OUT}")
execute_process(COMMAND ${command} WORKING_DIRECTORY "${DIR}"
  OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE exit_status)

set(problems "")
if(NOT exit_status EQUAL 2)
  string(APPEND problems "exit status ${exit_status}, expected 2\n")
endif()
if(NOT EXISTS "${OUT}")
  message(FATAL_ERROR "no JUnit file written\n${output}")
endif()
file(READ "${OUT}" xml)
# ';' would split the lists of matches below; '#' stands in for it.
string(REPLACE ";" "#" xml_text "${xml}")

function(expect_count pattern wanted)
  string(REPLACE ";" "#" pattern "${pattern}")
  string(REGEX MATCHALL "${pattern}" found "${xml_text}")
  list(LENGTH found n)
  if(NOT n EQUAL wanted)
    set(problems "${problems}${n} matches of '${pattern}', expected ${wanted}\n" PARENT_SCOPE)
  endif()
endfunction()

expect_count("<\\?xml version=\"1.0\" encoding=\"UTF-8\"\\?>" 1)
expect_count("<testsuite " 1)
expect_count("</testsuite>" 1)
expect_count("<testcase " 3)
expect_count("<failure " 1)
expect_count("</failure>" 1)
expect_count("<error " 1)
expect_count("</error>" 1)
expect_count("tests=\"3\" failures=\"1\" errors=\"1\"" 2)
expect_count("fails.lm:4: error: index 9 of 'a' is out of range 1..2" 1)
# A failing case names the line of its first error.
expect_count("name=\"fails.lm\" time=\"[0-9.]+\" file=\"fails.lm\" line=\"3\"" 1)
expect_count("unparsable.lm:3:1: error: expected '\\)' \\(to close '\\(' at line 2\\), found end of file" 1)
# Text from the scripts is escaped.
expect_count("&lt;tag&gt; &amp; &quot;quoted&quot;" 1)
# Every element that opens closes: no raw markup characters in text.
string(REGEX REPLACE "<[^<>]*>" "" text_only "${xml}")
if(text_only MATCHES "[<>]")
  string(APPEND problems "unescaped markup in the text\n")
endif()

if(problems)
  message(FATAL_ERROR "${problems}---- JUnit ----\n${xml}\n---- output ----\n${output}")
endif()

# The runner's command line: --help, --version, misuse, unreadable
# scripts, several scripts with their summary, and the exit statuses.
# Usage: cmake -DLOOM=... [-DEMULATOR=...] -DDIR=... -P CheckRunner.cmake
cmake_minimum_required(VERSION 3.20)

set(problems "")

# run(EXPECTED_EXIT PATTERN ARGS...): loom's output must match PATTERN.
function(run expected_exit pattern)
  set(command "${LOOM}" ${ARGN})
  if(EMULATOR)
    set(command "${EMULATOR}" ${command})
  endif()
  execute_process(COMMAND ${command} WORKING_DIRECTORY "${DIR}"
    OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE exit_status)
  string(REPLACE "\r" "" output "${output}")
  if(NOT "${exit_status}" STREQUAL "${expected_exit}")
    set(problems "${problems}loom ${ARGN}: exit ${exit_status}, expected ${expected_exit}\n${output}\n" PARENT_SCOPE)
  elseif(NOT output MATCHES "${pattern}")
    set(problems "${problems}loom ${ARGN}: output does not match '${pattern}'\n${output}\n" PARENT_SCOPE)
  endif()
endfunction()

run(0 "usage: loom \\[--package DLL\\]\\.\\.\\. \\[--junit FILE\\] \\[--report DIR\\] \\[--artifacts DIR\\]" --help)
run(0 "^loom [0-9]+\\.[0-9]+\\.[0-9]+\n$" --version)
run(2 "no script given" )
run(2 "unknown option '--bogus'" --bogus passes.lm)
run(2 "--junit needs an argument" passes.lm --junit)
run(2 "Could not load package" --package no-such-package.dll passes.lm)
run(2 "missing\\.lm: error: cannot read the script\nERROR missing\\.lm \\(not run\\)\n0 passed, 1 failed\n$" missing.lm)
# Several scripts: one summary line each, in order, with its duration,
# then the totals last.
set(took " \\[[0-9]+\\.[0-9][0-9][0-9] s\\]")
run(1 "fine\n.*PASS  passes\\.lm${took}\nFAIL  fails\\.lm \\(1 error\\)${took}\nPASS  passes\\.lm${took}\n2 passed, 1 failed\n$"
    passes.lm fails.lm passes.lm)
run(0 "PASS  passes\\.lm${took}\n1 passed, 0 failed\n$" passes.lm)
# Time limits and report folders that cannot be used.
run(2 "--timeout needs a number of seconds of 0 or more, not 'soon'" --timeout soon passes.lm)
run(2 "--timeout needs a number of seconds of 0 or more, not '-1'" --timeout -1 passes.lm)
run(2 "--report: cannot write to the folder '.*passes\\.lm.report'" --report passes.lm/report passes.lm)
run(0 "PASS  passes\\.lm${took}\n1 passed, 0 failed\n$" --timeout 0 passes.lm)

if(problems)
  message(FATAL_ERROR "${problems}")
endif()

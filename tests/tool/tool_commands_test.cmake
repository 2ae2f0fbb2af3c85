# Runs tidemark-tool on the hand-made notes of tests/fixtures/notes and
# compares what it prints with tests/tool/expected.
#   cmake -DTOOL=... -DFIXTURES=... -DEXPECTED=... -DWORK=... -P tool_commands_test.cmake
set(notes ${FIXTURES}/notes)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(failures 0)

function(run_tool expected_exit out_var)
  execute_process(COMMAND ${TOOL} ${ARGN} WORKING_DIRECTORY ${notes}
                  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE code)
  if(NOT code EQUAL expected_exit)
    message(SEND_ERROR "tidemark-tool ${ARGN}: exit ${code}, expected ${expected_exit}\n${out}${err}")
  endif()
  set(${out_var} "${out}" PARENT_SCOPE)
endfunction()

function(expect_output name actual)
  file(READ ${EXPECTED}/${name} wanted)
  if(NOT actual STREQUAL wanted)
    file(WRITE ${WORK}/${name} "${actual}")
    message(SEND_ERROR "output differs from ${name}; see ${WORK}/${name}")
  endif()
endfunction()

function(expect_same_file a b)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${a} ${b} RESULT_VARIABLE differ)
  if(differ)
    message(SEND_ERROR "${a} and ${b} differ")
  endif()
endfunction()

# dump: plain notes, a locked note closed and opened, an old version.
foreach(note japanese locked odd-order stray-tags)
  run_tool(0 out dump ${note}.tmk)
  expect_output(${note}.json "${out}")
endforeach()
run_tool(0 out dump --password nope --password tidemark locked.tmk)
expect_output(locked-opened.json "${out}")
run_tool(0 out dump --password tidemark old-version.tmk)
expect_output(old-version-opened.json "${out}")

# check: the user's message for each kind of damage, exit 1.
foreach(note cycle huge-string newer not-a-note truncated)
  run_tool(1 out check ${note}.tmk)
  expect_output(check-${note}.txt "${out}")
endforeach()
run_tool(0 out check japanese.tmk)
run_tool(1 out check missing.tmk)
if(NOT out MATCHES "missing.tmk は存在しません")
  message(SEND_ERROR "check of a missing file said: ${out}")
endif()

# resave: a current-format note comes back byte for byte, a locked one too
# whether or not its password was given.
run_tool(0 out resave japanese.tmk ${WORK}/japanese.tmk)
expect_same_file(${notes}/japanese.tmk ${WORK}/japanese.tmk)
run_tool(0 out resave locked.tmk ${WORK}/locked.tmk)
expect_same_file(${notes}/locked.tmk ${WORK}/locked.tmk)
run_tool(0 out resave locked.tmk ${WORK}/locked-opened.tmk --password tidemark)
expect_same_file(${notes}/locked.tmk ${WORK}/locked-opened.tmk)
# An old version is written as the current one and still opens with its password.
run_tool(0 out resave old-version.tmk ${WORK}/old-version.tmk --password tidemark)
run_tool(0 out dump --password tidemark ${WORK}/old-version.tmk)
if(NOT out MATCHES "\"file_version\":16777221" OR NOT out MATCHES "\"body\":\"from 2004\"")
  message(SEND_ERROR "resaved old note: ${out}")
endif()

# Bad arguments: usage and exit 2.
run_tool(2 out)
run_tool(2 out dump)
run_tool(2 out frobnicate x.tmk)
run_tool(2 out dump --password)
run_tool(2 out check --bogus x.tmk)

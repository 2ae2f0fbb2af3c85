# Runs "tidemark-tool print" on the hand-made notes of tests/fixtures/notes and
# reads the PDF files back with poppler's pdfinfo and pdftotext.
#   cmake -DTOOL=... -DFIXTURES=... -DWORK=... -P tool_print_test.cmake
set(notes ${FIXTURES}/notes)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
find_program(PDFINFO pdfinfo REQUIRED)
find_program(PDFTOTEXT pdftotext REQUIRED)

function(run_tool expected_exit out_var)
  execute_process(COMMAND ${TOOL} ${ARGN} WORKING_DIRECTORY ${notes}
                  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE code)
  if(NOT code EQUAL expected_exit)
    message(SEND_ERROR "tidemark-tool ${ARGN}: exit ${code}, expected ${expected_exit}\n${out}${err}")
  endif()
  set(${out_var} "${out}${err}" PARENT_SCOPE)
endfunction()

# The page count and the text (one line of the page per line) of a PDF file.
function(read_pdf pdf pages_var text_var)
  execute_process(COMMAND ${PDFINFO} ${pdf} OUTPUT_VARIABLE info RESULT_VARIABLE code)
  if(NOT code EQUAL 0)
    message(SEND_ERROR "pdfinfo cannot read ${pdf}")
  endif()
  string(REGEX MATCH "Pages: +([0-9]+)" found "${info}")
  set(${pages_var} "${CMAKE_MATCH_1}" PARENT_SCOPE)
  execute_process(COMMAND ${PDFTOTEXT} -layout -enc UTF-8 ${pdf} - OUTPUT_VARIABLE text)
  set(${text_var} "${text}" PARENT_SCOPE)
endfunction()

function(expect_text text pattern what)
  if(NOT text MATCHES "${pattern}")
    message(SEND_ERROR "${what}: no \"${pattern}\" in\n${text}")
  endif()
endfunction()

# A note of two memos in a group: one page, framed by the note's name and the
# time of printing, the product name and the page number.
run_tool(0 out print japanese.tmk ${WORK}/japanese.pdf)
read_pdf(${WORK}/japanese.pdf pages text)
if(NOT pages EQUAL 1)
  message(SEND_ERROR "japanese.pdf has ${pages} pages, expected 1")
endif()
expect_text("${text}" "japanese +[0-9][0-9][0-9][0-9]/[0-9][0-9]/[0-9][0-9] [0-9]+:[0-9][0-9]\n" "header")
expect_text("${text}" "Tidemark +1/1 ページ" "footer")
expect_text("${text}" "メモグループ: 仕事" "group template")
expect_text("${text}" "表題: 会議メモ" "first memo")
expect_text("${text}" "表題: 買い物" "second memo")

# A locked group prints its contents only when a password opens it.
run_tool(0 out print locked.tmk ${WORK}/locked.pdf)
read_pdf(${WORK}/locked.pdf pages text)
expect_text("${text}" "visible" "memo outside the lock")
if(text MATCHES "1234")
  message(SEND_ERROR "the closed group's contents were printed:\n${text}")
endif()
run_tool(0 out print locked.tmk ${WORK}/locked-opened.pdf --password nope --password tidemark)
read_pdf(${WORK}/locked-opened.pdf pages text)
expect_text("${text}" "1234" "memo inside the opened lock")

# Failures: the user's message, exit 1, no file left behind.
run_tool(1 out print missing.tmk ${WORK}/missing.pdf)
expect_text("${out}" "missing.tmk は存在しません" "missing note")
if(EXISTS ${WORK}/missing.pdf)
  message(SEND_ERROR "a PDF was written for a note that does not exist")
endif()
run_tool(1 out print japanese.tmk ${WORK}/no-such-folder/out.pdf)
expect_text("${out}" "no-such-folder/out.pdf は正しくありません" "missing folder")
run_tool(2 out print japanese.tmk)

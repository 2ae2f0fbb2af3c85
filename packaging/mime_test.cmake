# The MIME files are well-formed XML, and the desktop's own MIME database
# tool takes them: *.tmk and the magic "!TMK" name a note, *.tmh the help
# note, with English and Japanese comments.
#   cmake -DXMLLINT=… -DUPDATE_MIME_DATABASE=… -DSOURCES=res/desktop -DWORK=… -P mime_test.cmake
function(check condition message)
  if(NOT ${condition})
    message(FATAL_ERROR "${message}")
  endif()
endfunction()

set(files tidemark-mime.xml tidemark-help-mime.xml)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/mime/packages)
foreach(name IN LISTS files)
  execute_process(COMMAND ${XMLLINT} --noout ${SOURCES}/${name} RESULT_VARIABLE code
                  ERROR_VARIABLE errors)
  check("code EQUAL 0" "xmllint refuses ${name}: ${errors}")
  file(COPY ${SOURCES}/${name} DESTINATION ${WORK}/mime/packages)
endforeach()

execute_process(COMMAND ${UPDATE_MIME_DATABASE} ${WORK}/mime RESULT_VARIABLE code
                OUTPUT_VARIABLE output ERROR_VARIABLE errors)
check("code EQUAL 0" "update-mime-database failed: ${errors}")
check("errors STREQUAL \"\"" "update-mime-database complained: ${errors}")

file(READ ${WORK}/mime/globs2 globs)
foreach(expected "application/x-tidemark-note:*.tmk" "application/x-tidemark-help:*.tmh")
  string(FIND "${globs}" "${expected}" at)
  check("NOT at EQUAL -1" "globs2 lacks ${expected}:\n${globs}")
endforeach()

file(READ ${WORK}/mime/magic magic HEX)
# "[60:application/x-tidemark-note]\n>0=" then the length 4 and "!TMK"
string(HEX "[60:application/x-tidemark-note]" section)
string(FIND "${magic}" "${section}" at)
check("NOT at EQUAL -1" "the magic file has no section for application/x-tidemark-note")
string(FIND "${magic}" "3e303d000421544d4b" at)
check("NOT at EQUAL -1" "the magic of application/x-tidemark-note is not \"!TMK\" at offset 0")

file(READ ${WORK}/mime/application/x-tidemark-note.xml note_type)
foreach(expected "Tidemark note" "xml:lang=\"ja\">Tidemark ノート<")
  string(FIND "${note_type}" "${expected}" at)
  check("NOT at EQUAL -1" "the note type lacks the comment ${expected}")
endforeach()
file(READ ${WORK}/mime/subclasses subclasses)
string(FIND "${subclasses}" "application/x-tidemark-help application/x-tidemark-note" at)
check("NOT at EQUAL -1" "the help note is not a kind of note file: ${subclasses}")

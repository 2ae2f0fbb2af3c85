# The MIME files are well-formed XML, and the desktop's own MIME database
# tool takes them: *.tmk and the magic "!TMK" name a note, *.tmh the help
# note, with English and Japanese comments.
#   cmake -DXMLLINT=… -DUPDATE_MIME_DATABASE=… -DSOURCES=res/desktop -DWORK=… -P mime_test.cmake

set(files tidemark-mime.xml tidemark-help-mime.xml)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/mime/packages)
foreach(name IN LISTS files)
  execute_process(COMMAND ${XMLLINT} --noout ${SOURCES}/${name} RESULT_VARIABLE code
                  ERROR_VARIABLE errors)
  if(NOT (code EQUAL 0))
    message(FATAL_ERROR "xmllint refuses ${name}: ${errors}")
  endif()
  file(COPY ${SOURCES}/${name} DESTINATION ${WORK}/mime/packages)
endforeach()

# Inside the search path, so that only real complaints reach stderr.
execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_DIRS=${WORK} XDG_DATA_HOME=${WORK}
                        ${UPDATE_MIME_DATABASE} ${WORK}/mime RESULT_VARIABLE code
                OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT (code EQUAL 0))
  message(FATAL_ERROR "update-mime-database failed: ${errors}")
endif()
if(NOT (errors STREQUAL ""))
  message(FATAL_ERROR "update-mime-database complained: ${errors}")
endif()

file(READ ${WORK}/mime/globs2 globs)
foreach(expected "application/x-tidemark-note:*.tmk" "application/x-tidemark-help:*.tmh")
  string(FIND "${globs}" "${expected}" at)
  if(NOT (NOT at EQUAL -1))
    message(FATAL_ERROR "globs2 lacks ${expected}:\n${globs}")
  endif()
endforeach()

file(READ ${WORK}/mime/magic magic HEX)
# "[60:application/x-tidemark-note]\n>0=" then the length 4 and "!TMK"
string(HEX "[60:application/x-tidemark-note]" section)
string(FIND "${magic}" "${section}" at)
if(NOT (NOT at EQUAL -1))
  message(FATAL_ERROR "the magic file has no section for application/x-tidemark-note")
endif()
string(FIND "${magic}" "3e303d000421544d4b" at)
if(NOT (NOT at EQUAL -1))
  message(FATAL_ERROR "the magic of application/x-tidemark-note is not \"!TMK\" at offset 0")
endif()

file(READ ${WORK}/mime/application/x-tidemark-note.xml note_type)
foreach(expected "Tidemark note" "xml:lang=\"ja\">Tidemark ノート<")
  string(FIND "${note_type}" "${expected}" at)
  if(NOT (NOT at EQUAL -1))
    message(FATAL_ERROR "the note type lacks the comment ${expected}")
  endif()
endforeach()
file(READ ${WORK}/mime/subclasses subclasses)
string(FIND "${subclasses}" "application/x-tidemark-help application/x-tidemark-note" at)
if(NOT (NOT at EQUAL -1))
  message(FATAL_ERROR "the help note is not a kind of note file: ${subclasses}")
endif()

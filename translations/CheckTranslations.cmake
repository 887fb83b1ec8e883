# cmake -DLUPDATE=... -DOPTIONS="..." -DSOURCES="src;more" -DTS_FILE=tintrel_en.ts -DWORK=dir
#       -P CheckTranslations.cmake
# Runs lupdate over the sources into a copy of the translation file and fails when any text
# is left without a finished translation: a text new in the code, one whose source changed,
# or one marked unfinished in the file.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
get_filename_component(name "${TS_FILE}" NAME)
set(copy "${WORK}/${name}")
file(COPY_FILE "${TS_FILE}" "${copy}")
execute_process(COMMAND "${LUPDATE}" ${OPTIONS} ${SOURCES} -ts "${copy}"
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "lupdate failed (${result}):\n${output}")
endif()

file(READ "${copy}" ts)
# Texts may hold the characters that CMake's lists treat specially; stand-ins keep every
# message one list element.
string(ASCII 1 semicolon)
string(ASCII 2 open_bracket)
string(ASCII 3 close_bracket)
string(REPLACE ";" "${semicolon}" ts "${ts}")
string(REPLACE "[" "${open_bracket}" ts "${ts}")
string(REPLACE "]" "${close_bracket}" ts "${ts}")
# One <message> block per text; list those whose translation is unfinished or empty.
string(REGEX MATCHALL "<message([^<]|<[^/]|</[^m])*</message>" messages "${ts}")
set(untranslated)
foreach(message IN LISTS messages)
    if(message MATCHES "type=\"unfinished\"" OR message MATCHES "<translation>[ \t\r\n]*</translation>"
       OR message MATCHES "<translation/>")
        string(REGEX MATCH "<source>([^<]*)</source>" source "${message}")
        set(source "${CMAKE_MATCH_1}")
        string(REPLACE "${open_bracket}" "(" source "${source}")
        string(REPLACE "${close_bracket}" ")" source "${source}")
        string(REPLACE "${semicolon}" "," source "${source}")
        list(APPEND untranslated "  ${source}")
    endif()
endforeach()
list(LENGTH messages count)
if(count EQUAL 0)
    message(FATAL_ERROR "no texts found in ${copy}: lupdate found nothing to translate?\n${output}")
endif()
if(untranslated)
    list(JOIN untranslated "\n" listing)
    message(FATAL_ERROR "texts without a finished English translation in ${name} "
                        "(run the update_translations target, then translate them):\n${listing}")
endif()
message(STATUS "${count} texts, all translated")

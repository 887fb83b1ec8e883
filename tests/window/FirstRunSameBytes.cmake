# cmake -DPROBE=first_run_probe -DWORK=dir -P FirstRunSameBytes.cmake
# A first start under an English desktop and under a Japanese one shows the window in each
# language, and writes the same settings file and the same HTML, byte for byte.
cmake_minimum_required(VERSION 3.25)
set(languages "C.UTF-8|en|Text" "ja_JP.UTF-8|ja|テキスト")
foreach(entry IN LISTS languages)
    string(REPLACE "|" ";" fields "${entry}")
    list(GET fields 0 lang)
    list(GET fields 1 expected_language)
    list(GET fields 2 expected_caption)
    set(folder "${WORK}/${lang}")
    file(REMOVE_RECURSE "${folder}")
    file(MAKE_DIRECTORY "${folder}")
    execute_process(
        COMMAND "${CMAKE_COMMAND}" -E env --unset=LC_ALL --unset=LC_MESSAGES --unset=LANGUAGE
                "LANG=${lang}" QT_QPA_PLATFORM=offscreen "XDG_CONFIG_HOME=${folder}/config"
                "${PROBE}" "${folder}"
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "LANG=${lang}: the first start failed (${result}):\n${output}${errors}")
    endif()
    string(STRIP "${output}" output)
    if(NOT output STREQUAL "${expected_language} ${expected_caption}")
        message(FATAL_ERROR "LANG=${lang}: the window spoke \"${output}\", "
                            "not \"${expected_language} ${expected_caption}\"")
    endif()
    foreach(name Tintrel.ini html.txt)
        if(NOT EXISTS "${folder}/${name}")
            message(FATAL_ERROR "LANG=${lang}: ${name} was not written")
        endif()
    endforeach()
endforeach()

foreach(name Tintrel.ini html.txt)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files
                            "${WORK}/C.UTF-8/${name}" "${WORK}/ja_JP.UTF-8/${name}"
                    RESULT_VARIABLE differ)
    if(NOT differ EQUAL 0)
        message(FATAL_ERROR "${name} differs between the English and the Japanese first start")
    endif()
endforeach()
file(REMOVE_RECURSE "${WORK}")

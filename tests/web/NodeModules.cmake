# Installs the test's npm packages exactly as package-lock.json pins them (npm ci, from the
# registry), unless they are installed already at those versions.
if(EXISTS ${FOLDER}/node_modules/.package-lock.json)
    file(READ ${FOLDER}/package-lock.json wanted)
    file(READ ${FOLDER}/node_modules/.package-lock.json installed)
    string(JSON wantedPuppeteer GET "${wanted}" packages node_modules/puppeteer-core version)
    string(JSON installedPuppeteer ERROR_VARIABLE missing GET "${installed}" packages node_modules/puppeteer-core version)
    string(JSON wantedAxe GET "${wanted}" packages node_modules/axe-core version)
    string(JSON installedAxe ERROR_VARIABLE missing GET "${installed}" packages node_modules/axe-core version)
    if(wantedPuppeteer STREQUAL installedPuppeteer AND wantedAxe STREQUAL installedAxe)
        return()
    endif()
endif()
execute_process(COMMAND npm ci --no-audit --no-fund WORKING_DIRECTORY ${FOLDER}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "npm ci failed in ${FOLDER}")
endif()

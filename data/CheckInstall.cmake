# cmake -DBUILD_DIR=... -DPREFIX=... -DPROGRAMS="tintrel;tintrel-html" -DBINDIR=bin -DDATADIR=share
#       -DMANDIR=share/man -DLIBDIR=lib -DINCLUDEDIR=include -DLIBRARY_VERSION=1.31 -P CheckInstall.cmake
# Installs the build into PREFIX (emptied first) and checks that every installed piece is where
# the desktop and the program look for it, and that `cpack -G DEB` packs it as a Debian package
# with computed dependencies under /usr.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
    RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
    "${DATADIR}/tintrel/tintrel.html"
    "${DATADIR}/tintrel/tintrel.en.html"
    "${DATADIR}/applications/org.tintrel.Tintrel.desktop"
    "${DATADIR}/metainfo/org.tintrel.Tintrel.metainfo.xml"
    "${DATADIR}/icons/hicolor/scalable/apps/tintrel.svg"
    "${MANDIR}/man1/tintrel-html.1.gz")
foreach(size 16 24 32 48 64 128 256)
    list(APPEND expected "${DATADIR}/icons/hicolor/${size}x${size}/apps/tintrel.png")
endforeach()
foreach(program IN LISTS PROGRAMS)
    list(APPEND expected "${BINDIR}/${program}")
endforeach()
# The engine's library for other programs: its header, its pkg-config file, and the shared
# library under its three names.
list(APPEND expected "${INCLUDEDIR}/tintrel.h" "${LIBDIR}/pkgconfig/tintrel.pc" "${LIBDIR}/libtintrel.so"
     "${LIBDIR}/libtintrel.so.1" "${LIBDIR}/libtintrel.so.${LIBRARY_VERSION}")
# Exactly these files, nothing missing and nothing more: the Debian package holds the same.
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE "${PREFIX}" "${PREFIX}/*")
list(SORT installed)
list(SORT expected)
if(NOT installed STREQUAL expected)
    set(missing ${expected})
    list(REMOVE_ITEM missing ${installed})
    set(extra ${installed})
    list(REMOVE_ITEM extra ${expected})
    message(FATAL_ERROR "installed files differ from the expected list\n"
                        "  not installed: ${missing}\n  not expected: ${extra}")
endif()

# The programs find the page through ../share/tintrel/.
if(PROGRAMS AND NOT EXISTS "${PREFIX}/${BINDIR}/../share/tintrel/tintrel.html")
    message(FATAL_ERROR "the help page is not at ../share/tintrel/ from the programs")
endif()
foreach(name tintrel.html tintrel.en.html)
    file(READ "${PREFIX}/${DATADIR}/tintrel/${name}" page)
    if(NOT page MATCHES "id=\"HID00000001\"")
        message(FATAL_ERROR "the help page ${name} lacks the anchor HID00000001")
    endif()
endforeach()
file(STRINGS "${PREFIX}/${DATADIR}/applications/org.tintrel.Tintrel.desktop" entry)
foreach(line "Exec=tintrel" "Icon=tintrel" "Type=Application" "StartupWMClass=Tintrel")
    if(NOT line IN_LIST entry)
        message(FATAL_ERROR "the desktop entry lacks ${line}")
    endif()
endforeach()
# Software centres join the metadata to the desktop entry by the entry's file name.
file(READ "${PREFIX}/${DATADIR}/metainfo/org.tintrel.Tintrel.metainfo.xml" metainfo)
foreach(piece "<id>org.tintrel.Tintrel</id>"
              "<launchable type=\"desktop-id\">org.tintrel.Tintrel.desktop</launchable>"
              "<binary>tintrel</binary>" "<binary>tintrel-html</binary>")
    string(FIND "${metainfo}" "${piece}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the metadata lacks ${piece}")
    endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")

include("${BUILD_DIR}/CPackConfig.cmake")
foreach(setting CPACK_GENERATOR=DEB CPACK_PACKAGING_INSTALL_PREFIX=/usr CPACK_DEBIAN_PACKAGE_SHLIBDEPS=ON
                CPACK_PACKAGE_NAME=tintrel CPACK_DEBIAN_FILE_NAME=DEB-DEFAULT)
    string(REPLACE "=" ";" pair "${setting}")
    list(GET pair 0 name)
    list(GET pair 1 value)
    if(NOT "${${name}}" STREQUAL value)
        message(FATAL_ERROR "the package's ${name} is '${${name}}', not '${value}'")
    endif()
endforeach()
if(NOT CPACK_PACKAGE_VERSION MATCHES "^[0-9]+\\.[0-9]+")
    message(FATAL_ERROR "the package has no version: '${CPACK_PACKAGE_VERSION}'")
endif()

# The Debian package: `cpack -G DEB` in a release build packs what `cmake --install` puts under
# /usr (both programs, the help pages, the desktop entry, the icons, the metadata and the manual
# page). dpkg-shlibdeps (dpkg-dev) computes the shared-library dependencies.
set(TINTREL_PACKAGE_MAINTAINER "The Tintrel developers"
    CACHE STRING "The Maintainer field of the Debian package")

set(CPACK_PACKAGE_NAME tintrel)
set(CPACK_PACKAGE_VENDOR "The Tintrel developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn a line of text into gradient-coloured HTML")
set(CPACK_PACKAGE_CONTACT "${TINTREL_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Japanese faces of the font list draw with a Japanese font; Qt's own translations give
# the dialogs' buttons in Japanese.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic | fonts-noto-cjk, qt6-translations-l10n")
# The long description under the summary; CPack indents it and marks the empty line.
set(CPACK_PACKAGE_DESCRIPTION
    "Tintrel is a desktop tool that turns one line of text into HTML in which
every character has a colour of its own, stepping from a start colour to a
finish colour (two colours, mirrored, or three colours). The HTML is copied
to the clipboard or saved as a small page; named styles are kept in a
library and exchanged as .tsy files.

The package also holds tintrel-html, a command-line companion that prints
the same HTML for a text and a set of options.")

include(CPack)

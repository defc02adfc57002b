# The Debian package, built by CPack from the install rules (scripts/package).
# scripts/package passes the runtime dependencies it finds for the built
# programs in QUILLMERE_DEBIAN_DEPENDS: the Qt 6 libraries and the C and C++
# runtimes, by the Debian package that holds each linked library.
set(QUILLMERE_DEBIAN_DEPENDS "" CACHE STRING "Depends field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillmere)
set(CPACK_PACKAGE_VENDOR Tormel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "replaces runs of short segments in DXF polylines by arcs")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillmere post-processes 2-D DXF drawings. It finds the runs of vertices of a\n"
    "polyline that lie on one circular arc within a tolerance and replaces each run\n"
    "by a single arc segment. Two preparatory jobs chain loose lines into polylines\n"
    "and join polylines end to start. It comes as a desktop program (quillmere) and\n"
    "a command-line tool (quillmere-cli).")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGE_CONTACT "Tormel <quillmere@tormel.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Qt's own translations, so that the file dialogs and message boxes speak
# the program's language; no library links them.
set(quillmere_debian_depends ${QUILLMERE_DEBIAN_DEPENDS})
list(APPEND quillmere_debian_depends qt6-translations-l10n)
list(JOIN quillmere_debian_depends ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tormel.invalid/quillmere")
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_SOURCE_DIR}/dist)
set(CPACK_STRIP_FILES ON)
include(CPack)

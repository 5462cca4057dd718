# The Debian package, made with `cpack -G DEB` in the build folder. Its dependencies on the
# Qt 6 libraries are computed from the executables by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME draivo)
set(CPACK_PACKAGE_VENDOR "The Draivo developers")
set(CPACK_PACKAGE_CONTACT "The Draivo developers <draivo@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "simulator for CNC lathe programs")
set(CPACK_PACKAGE_DESCRIPTION
  "Draivo runs programs for two-axis CNC lathes, written in the Fanuc-style\n\
G-code dialect, and draws the tool path in a side view of the part while a\n\
status panel shows the modal values of the program. Canned cycles G70 to G76\n\
and G90, G92, G94 and subprogram calls are followed as the program runs. A\n\
design mode writes new programs from tool and cycle dialogs, and an editor\n\
numbers, spreads, searches and prints program files. The user interface is\n\
in Dutch.\n\
\n\
The package also holds draivo-sim, which runs a program without a window\n\
and writes its trace, status and picture.")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Dutch texts of Qt's own dialogs (file and print dialogs, message box buttons).
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-translations-l10n)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

# Packages of the installed game: a Debian package (cpack -G DEB) on Linux; of
# a Windows build, an installer (cpack -G NSIS, with NSIS's makensis, which
# runs on Linux too) and a ZIP file (cpack -G ZIP) of the same files.

# The font package whose font the game's text is drawn in.
set(TOVIK_FONT_PACKAGE fonts-liberation2 CACHE STRING "Debian package of the drawing font")
set(TOVIK_MAINTAINER "the TOVIK authors <tovik@example.org>")

set(CPACK_PACKAGE_NAME tovik)
set(CPACK_PACKAGE_VENDOR "the TOVIK authors")
set(CPACK_PACKAGE_CONTACT "${TOVIK_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "night-scene arcade game: blow up the falling monkeys")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  find_program(TOVIK_MAKENSIS makensis)
  set(CPACK_GENERATOR ZIP)
  if(TOVIK_MAKENSIS)
    list(APPEND CPACK_GENERATOR NSIS)
  endif()
  set(CPACK_PACKAGE_FILE_NAME tovik-${PROJECT_VERSION}-windows-x86_64)
  set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/TovikCPackOptions.cmake)
  # The installer's script is the project's own (dist/windows/NSIS.template.in):
  # per user, a shortcut that starts in Documents\TOVIK, nothing else.
  list(PREPEND CMAKE_MODULE_PATH ${PROJECT_SOURCE_DIR}/dist/windows)
  set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_BINARY_DIR}/dist/LICENSE.txt)
  if(TOVIK_WINDOWS_ICON)
    set(CPACK_NSIS_MUI_ICON ${TOVIK_WINDOWS_ICON})
  endif()
  set(CPACK_NSIS_TOVIK_COPYRIGHT "${TOVIK_COPYRIGHT}, MIT licence")
  set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # tovik_<version>_<arch>.deb
  # Debian keeps a game's program in /usr/games: a package for Debian is made
  # from a build configured with -DCMAKE_INSTALL_BINDIR=games.
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TOVIK_MAINTAINER}")
  # The shared libraries come from the binary; the font is read at run time.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS ${TOVIK_FONT_PACKAGE})
  # The summary above is the first line; this is the rest.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Under a navy sky a crescent moon drifts, stars twinkle and a butterfly
flutters over a lake with a boat and a sunken statue, while fifteen monkeys
drop from the sky: click one to blow it up. A Run menu with Ctrl shortcuts
runs, halts or single-steps the animation, logs every drawing operation and
records a game's input to a script file, TOVIK.SCR, to play it back later.")

  # What Debian asks of every package: the copyright and a changelog, here
  # beside the README and the licence.
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright)
  configure_file(${PROJECT_SOURCE_DIR}/dist/changelog.in ${PROJECT_BINARY_DIR}/dist/changelog @ONLY)
  tovik_gzip(${PROJECT_BINARY_DIR}/dist/changelog ${PROJECT_BINARY_DIR}/dist/changelog.gz)
  add_custom_target(tovik_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/dist/changelog.gz)
  install(FILES ${PROJECT_BINARY_DIR}/dist/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()

include(CPack)

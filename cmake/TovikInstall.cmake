# Installs the game as a desktop program: the executable, its menu entry, icons
# and manual page on Linux; the executable and its documents side by side in
# one folder on Windows, as a ZIP file gives them.

if(WIN32)
  install(TARGETS tovik RUNTIME DESTINATION .)
  # A README for Windows users, and the licence, in the line ends that every
  # Notepad reads.
  configure_file(${PROJECT_SOURCE_DIR}/dist/windows/README.txt.in ${PROJECT_BINARY_DIR}/dist/README.txt
                 @ONLY NEWLINE_STYLE CRLF)
  configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_BINARY_DIR}/dist/LICENSE.txt
                 @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${PROJECT_BINARY_DIR}/dist/README.txt ${PROJECT_BINARY_DIR}/dist/LICENSE.txt
          DESTINATION .)
  return()
endif()

# The game's name on the desktop, reverse-DNS as AppStream wants it: the
# desktop entry and the metadata that software centres read are named by it.
set(TOVIK_APP_ID org.example.Tovik)
# The day of this version's release, in the manual page and the metadata.
set(TOVIK_RELEASE_DATE 2026-12-08)

install(TARGETS tovik RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/dist/${TOVIK_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${PROJECT_SOURCE_DIR}/dist/${TOVIK_APP_ID}.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/dist/${TOVIK_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/dist/${TOVIK_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The metadata as software centres read it: anything above a pedantic note
# fails, where the validator is installed.
find_program(TOVIK_APPSTREAMCLI appstreamcli)
if(BUILD_TESTING AND TOVIK_APPSTREAMCLI)
  add_test(NAME metainfo_valid COMMAND ${TOVIK_APPSTREAMCLI} validate --no-net --strict
           ${PROJECT_BINARY_DIR}/dist/${TOVIK_APP_ID}.metainfo.xml)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Compressed without a name or time stamp, so that the files are the same on every build.
find_program(TOVIK_GZIP gzip REQUIRED)
function(tovik_gzip source target)
  add_custom_command(OUTPUT ${target}
    COMMAND ${TOVIK_GZIP} -9nc ${source} > ${target}
    DEPENDS ${source} VERBATIM)
endfunction()

# The manual page carries the project's version.
configure_file(${PROJECT_SOURCE_DIR}/dist/tovik.6.in ${PROJECT_BINARY_DIR}/dist/tovik.6 @ONLY)
tovik_gzip(${PROJECT_BINARY_DIR}/dist/tovik.6 ${PROJECT_BINARY_DIR}/dist/tovik.6.gz)
install(FILES ${PROJECT_BINARY_DIR}/dist/tovik.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The icons, drawn at build time by the game's own figures.
set(TOVIK_ICON_SIZES 16 32 48 64 128 256)
set(icon_dir ${PROJECT_BINARY_DIR}/dist/icons)
set(icon_files)
foreach(size ${TOVIK_ICON_SIZES})
  list(APPEND icon_files ${icon_dir}/tovik-${size}.png)
  install(FILES ${icon_dir}/tovik-${size}.png RENAME tovik.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_command(OUTPUT ${icon_files}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_dir}
  COMMAND make_icons ${icon_dir} ${TOVIK_ICON_SIZES}
  DEPENDS make_icons VERBATIM)
add_custom_target(tovik_dist ALL DEPENDS ${icon_files} ${PROJECT_BINARY_DIR}/dist/tovik.6.gz)

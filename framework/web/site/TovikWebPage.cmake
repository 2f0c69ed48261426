# tovik_web_page(TARGET SITE_DIR TITLE HOWTO)
#
# Makes the site of the program TARGET (an executable linked with
# tovik::tovik) in SITE_DIR, with the target `TARGET_site`: the page headed
# TITLE with HOWTO as its one line on how to play, the page's script, the
# program, the fonts cut to the characters the program can draw, the icons,
# the web app manifest and a service worker that keeps it all for offline use.

function(tovik_web_page target site_dir title howto)
  set(TOVIK_WEB_PAGE_DIR ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
  set(TOVIK_PAGE_TITLE ${title})
  set(TOVIK_PAGE_SHORT_NAME ${title})
  set(TOVIK_PAGE_HOWTO ${howto})
  set(TOVIK_PAGE_ABOUT "${title}: ${howto}")
  get_target_property(TOVIK_PAGE_PROGRAM ${target} OUTPUT_NAME)
  if(NOT TOVIK_PAGE_PROGRAM)
    set(TOVIK_PAGE_PROGRAM ${target})
  endif()
  get_filename_component(TOVIK_WEB_DRAWING_FONT_NAME ${TOVIK_WEB_DRAWING_FONT} NAME)
  get_filename_component(TOVIK_WEB_FIXED_FONT_NAME ${TOVIK_WEB_FIXED_FONT} NAME)
  set(made ${CMAKE_CURRENT_BINARY_DIR}/${target}_page)
  configure_file(${TOVIK_WEB_PAGE_DIR}/index.html ${made}/index.html @ONLY)
  configure_file(${TOVIK_WEB_PAGE_DIR}/manifest.webmanifest ${made}/manifest.webmanifest @ONLY)
  # The program draws Latin-1 only (a byte is its code point); the hinting
  # programs and gasp, which decide the pixels, are kept.
  set(subset ${TOVIK_PYFTSUBSET} --unicodes=U+0000-00FF --hinting --notdef-outline
      --drop-tables= --layout-features=)
  add_custom_target(${target}_site ALL
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${site_dir}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${site_dir}
    COMMAND ${CMAKE_COMMAND} -E copy ${made}/index.html ${made}/manifest.webmanifest
      ${TOVIK_WEB_PAGE_DIR}/tovik-page.js $<TARGET_FILE:${target}>
      $<TARGET_FILE_DIR:${target}>/$<TARGET_FILE_BASE_NAME:${target}>.wasm ${site_dir}
    COMMAND ${subset} ${TOVIK_WEB_DRAWING_FONT} --output-file=${site_dir}/${TOVIK_WEB_DRAWING_FONT_NAME}
    COMMAND ${subset} ${TOVIK_WEB_FIXED_FONT} --output-file=${site_dir}/${TOVIK_WEB_FIXED_FONT_NAME}
    COMMAND ${TOVIK_WEB_ICON_TOOL} ${site_dir} 32 192 512
    COMMAND ${CMAKE_COMMAND} -DSITE=${site_dir}
      -DTEMPLATE=${TOVIK_WEB_PAGE_DIR}/service-worker.js -P ${TOVIK_WEB_PAGE_DIR}/finish_site.cmake
    DEPENDS ${TOVIK_WEB_PAGE_DIR}/tovik-page.js ${TOVIK_WEB_PAGE_DIR}/service-worker.js
      ${TOVIK_WEB_PAGE_DIR}/finish_site.cmake ${made}/index.html ${made}/manifest.webmanifest
    VERBATIM)
  add_dependencies(${target}_site ${target})
endfunction()

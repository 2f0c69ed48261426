# The resources of the Windows program: the game's icon in every size the
# desktop asks for, the application manifest (DPI awareness, the supported
# Windows versions, no administrator rights) and the version information that
# Explorer shows in the file's properties, all from this project's version.
enable_language(RC)

set(TOVIK_WINDOWS_ICON_SIZES 16 20 24 32 40 48 64 256)
set(TOVIK_HOST_MAKE_ICO "" CACHE FILEPATH
    "make_ico of a native build of this project, to draw the icon of a cross build")

# The icon is drawn by make_ico, a tool of this project, which has to run on
# the machine that builds: this build's own where it makes its tools; in a
# cross build the one named, or else one from a native build of the tool
# alone, made on the way.
set(ico_tool "")
if(TARGET make_ico)
  set(ico_tool make_ico)
  set(ico_tool_depends make_ico)
elseif(TOVIK_HOST_MAKE_ICO)
  set(ico_tool ${TOVIK_HOST_MAKE_ICO})
  set(ico_tool_depends ${TOVIK_HOST_MAKE_ICO})
elseif(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  set(host_tools ${PROJECT_BINARY_DIR}/host-tools)
  ExternalProject_Add(tovik_host_tools
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${host_tools}
    CMAKE_ARGS -DBUILD_TESTING=OFF -DTOVIK_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=Release
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${host_tools} --target make_ico
    BUILD_BYPRODUCTS ${host_tools}/tools/make_ico
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON)
  set(ico_tool ${host_tools}/tools/make_ico)
  set(ico_tool_depends tovik_host_tools ${host_tools}/tools/make_ico)
endif()

# TOVIK_WINDOWS_ICON: the icon file, where this build can draw it.
set(TOVIK_RC_ICON "")
set(TOVIK_WINDOWS_ICON "")
if(ico_tool)
  set(TOVIK_WINDOWS_ICON ${PROJECT_BINARY_DIR}/dist/tovik.ico)
  add_custom_command(OUTPUT ${TOVIK_WINDOWS_ICON}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/dist
    COMMAND ${ico_tool} ${TOVIK_WINDOWS_ICON} ${TOVIK_WINDOWS_ICON_SIZES}
    DEPENDS ${ico_tool_depends} VERBATIM)
  add_custom_target(tovik_windows_icon DEPENDS ${TOVIK_WINDOWS_ICON})
  add_dependencies(tovik tovik_windows_icon)
  # Resource 1: the icon Explorer shows for the file, and the windows' icon.
  set(TOVIK_RC_ICON "1 ICON \"${TOVIK_WINDOWS_ICON}\"")
else()
  message(STATUS "No make_ico to run here: tovik.exe is built without its icon (set TOVIK_HOST_MAKE_ICO)")
endif()

math(EXPR TOVIK_VERSION_TWEAK "0${PROJECT_VERSION_TWEAK}")
set(TOVIK_VERSION_QUAD
    "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},${TOVIK_VERSION_TWEAK}")
string(REPLACE "," "." TOVIK_VERSION_QUAD_DOTS "${TOVIK_VERSION_QUAD}")
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE TOVIK_COPYRIGHT REGEX "^Copyright " LIMIT_COUNT 1)

set(manifest ${PROJECT_BINARY_DIR}/dist/tovik.manifest)
configure_file(${PROJECT_SOURCE_DIR}/dist/windows/tovik.manifest.in ${manifest} @ONLY)
if(MSVC)
  # Visual Studio's linker writes the manifest resource itself, from this.
  set(TOVIK_RC_MANIFEST "")
  target_sources(tovik PRIVATE ${manifest})
else()
  set(TOVIK_RC_MANIFEST "1 24 \"${manifest}\"  // the process's manifest (RT_MANIFEST)")
endif()

set(rc ${PROJECT_BINARY_DIR}/dist/tovik.rc)
configure_file(${PROJECT_SOURCE_DIR}/dist/windows/tovik.rc.in ${rc} @ONLY)
target_sources(tovik PRIVATE ${rc})
set_source_files_properties(${rc} TARGET_DIRECTORY tovik PROPERTIES
                            OBJECT_DEPENDS "${TOVIK_WINDOWS_ICON};${manifest}")

# Installing the framework: tovik.h, the library, a CMake package and a
# pkg-config file.  A static and a shared build may be installed into the
# same prefix: libtovik.a beside libtovik.so, and one exported-targets file
# each; tovikConfig.cmake and tovik.pc are the same for both.  Everything is
# in the install component "library".
include(CMakePackageConfigHelpers)

if(BUILD_SHARED_LIBS)
  set(tovik_variant shared)
else()
  set(tovik_variant static)
endif()
set(tovik_package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/tovik)

install(TARGETS tovik_framework EXPORT tovikTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT library
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT library
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT library)
install(FILES ${PROJECT_SOURCE_DIR}/framework/include/tovik.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT library)
install(EXPORT tovikTargets NAMESPACE tovik:: FILE tovik-${tovik_variant}-targets.cmake
        DESTINATION ${tovik_package_dir} COMPONENT library)

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/tovikConfig.cmake.in
  ${PROJECT_BINARY_DIR}/tovikConfig.cmake INSTALL_DESTINATION ${tovik_package_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/tovikConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/tovikConfig.cmake ${PROJECT_BINARY_DIR}/tovikConfigVersion.cmake
        DESTINATION ${tovik_package_dir} COMPONENT library)

# The pkg-config file finds its prefix from where it lies, so that an install
# with `cmake --install --prefix` elsewhere works too.
if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}")
  set(tovik_pc_prefix "${CMAKE_INSTALL_PREFIX}")
else()
  file(RELATIVE_PATH tovik_pc_up "/root/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/root")
  string(REGEX REPLACE "/$" "" tovik_pc_up "${tovik_pc_up}")
  set(tovik_pc_prefix "\${pcfiledir}/${tovik_pc_up}")
endif()
list(JOIN TOVIK_PC_REQUIRES " " tovik_pc_requires)
list(JOIN TOVIK_LINK_FLAGS " " tovik_pc_link_flags)
set(tovik_pc_libs "${TOVIK_PC_LIBS}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/tovik.pc.in ${PROJECT_BINARY_DIR}/tovik.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/tovik.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
        COMPONENT library)

# The game's own packages stay as they were: the library's files are for a
# development package, not for players.
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};tovik;Unspecified;/" PARENT_SCOPE)

# The library as a release: SONAME from the major version, install rules in three components,
# pkg-config and CMake package files, Debian packages.
#   runtime  the library: libzudoru_mgr_show.so.1 and libzudoru_mgr_show.so, the name the
#            shell dlopens (so it ships here rather than in the -dev package)
#   dev      the public header, the platform header it is built against, .pc and CMake package
#   tools    the stand-in platform and vdcsim
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set_target_properties(zudoru_mgr_show PROPERTIES
  VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
target_include_directories(zudoru_mgr_show INTERFACE $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)

install(TARGETS zudoru_mgr_show EXPORT zudoru_mgr_show_targets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT runtime)
install(FILES LICENSE CHANGELOG.md DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT runtime)
install(FILES include/zudoru_mgr_show.h platform/vdc_platform.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT dev)

set(ZMS_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/zudoru_mgr_show)
install(EXPORT zudoru_mgr_show_targets NAMESPACE zudoru_mgr_show::
  FILE zudoru_mgr_showTargets.cmake DESTINATION ${ZMS_CMAKE_DIR} COMPONENT dev)
configure_package_config_file(cmake/zudoru_mgr_showConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/zudoru_mgr_showConfig.cmake INSTALL_DESTINATION ${ZMS_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/zudoru_mgr_showConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/zudoru_mgr_showConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/zudoru_mgr_showConfigVersion.cmake
  DESTINATION ${ZMS_CMAKE_DIR} COMPONENT dev)

# The .pc file finds its prefix from where it lies, so the installed tree can move.
file(RELATIVE_PATH ZMS_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" ZMS_PC_TO_PREFIX ${ZMS_PC_TO_PREFIX})
configure_file(cmake/zudoru_mgr_show.pc.in zudoru_mgr_show.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/zudoru_mgr_show.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)

install(TARGETS vdc_standin LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT tools)
if(TARGET vdcsim)
  set_target_properties(vdcsim PROPERTIES INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
  target_compile_definitions(vdcsim_core PRIVATE VDCSIM_INSTALLED_LIBDIR="${CMAKE_INSTALL_LIBDIR}")
  install(TARGETS vdcsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tools)
endif()

# Debian packages: `cpack` in a build folder writes them to packages/ there.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/packages)
set(CPACK_PACKAGE_VENDOR "zudoru_mgr_show developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Shell-side back end of the VDC manager")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "zudoru_mgr_show developers <zudoru-mgr-show@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libzudoru-mgr-show${PROJECT_VERSION_MAJOR})
set(CPACK_DEBIAN_DEV_PACKAGE_NAME libzudoru-mgr-show-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "${CPACK_DEBIAN_RUNTIME_PACKAGE_NAME} (= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME zudoru-mgr-show-tools)
set(CPACK_DEBIAN_TOOLS_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_TOOLS_PACKAGE_DEPENDS "${CPACK_DEBIAN_RUNTIME_PACKAGE_NAME} (= ${PROJECT_VERSION})")
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION
    "Shell-side back end of the VDC manager\n The shared library the switch's command shell loads.")
set(CPACK_COMPONENT_DEV_DESCRIPTION
    "Shell-side back end of the VDC manager: development files\n Headers, pkg-config file and CMake package.")
set(CPACK_COMPONENT_TOOLS_DESCRIPTION
    "Shell-side back end of the VDC manager: simulator\n The vdcsim shell and the stand-in platform it runs the library on.")
find_program(ZMS_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(CMAKE_CROSSCOMPILING)
  # The PowerPC build packages the library and its -dev files; vdcsim is a host tool.
  set(CPACK_COMPONENTS_ALL runtime dev)
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE powerpc)
  set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS "libc6")
elseif(ZMS_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_CURRENT_BINARY_DIR})
else()
  set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS "libc6")
endif()
include(CPack)

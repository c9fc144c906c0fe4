# The library as a release: SONAME from the major version, install rules in three components,
# pkg-config and CMake package files, manual pages, Debian packages.
#   runtime  the library: libzudoru_mgr_show.so.1 and libzudoru_mgr_show.so, the name the
#            shell dlopens (so it ships here rather than in the -dev package)
#   dev      the headers under include/zudoru_mgr_show/, .pc file, CMake package, section 3 page
#   tools    the stand-in platform (a private library with its C header, .pc file and the CMake
#            package's `standin` component) and vdcsim with its manual page and completion
include(CMakePackageConfigHelpers)

set(ZMS_INCLUDE_DIR ${CMAKE_INSTALL_INCLUDEDIR}/zudoru_mgr_show)
set(ZMS_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/zudoru_mgr_show)

set_target_properties(zudoru_mgr_show PROPERTIES
  VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
target_include_directories(zudoru_mgr_show INTERFACE $<INSTALL_INTERFACE:${ZMS_INCLUDE_DIR}>)
install(TARGETS zudoru_mgr_show EXPORT zudoru_mgr_show_targets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT runtime)
install(FILES LICENSE CHANGELOG.md DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT runtime)
install(FILES include/zudoru_mgr_show.h ${ZMS_GENERATED_INCLUDE}/zudoru_mgr_show_version.h
              platform/vdc_platform.h
  DESTINATION ${ZMS_INCLUDE_DIR} COMPONENT dev)

# The stand-in: versioned on its own, in a private folder that vdcsim reaches by its RUNPATH
# and that programs built against it reach by theirs (pkg-config and CMake both say so).
set_target_properties(vdc_standin PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION 1)
target_include_directories(vdc_standin INTERFACE $<INSTALL_INTERFACE:${ZMS_INCLUDE_DIR}>)
install(TARGETS vdc_standin EXPORT zudoru_mgr_show_standin
  LIBRARY DESTINATION ${ZMS_PRIVATE_LIBDIR} COMPONENT tools NAMELINK_COMPONENT tools)
install(FILES standin/vdc_standin.h DESTINATION ${ZMS_INCLUDE_DIR} COMPONENT tools)

install(EXPORT zudoru_mgr_show_targets NAMESPACE zudoru_mgr_show::
  FILE zudoru_mgr_showTargets.cmake DESTINATION ${ZMS_CMAKE_DIR} COMPONENT dev)
install(EXPORT zudoru_mgr_show_standin NAMESPACE zudoru_mgr_show::
  FILE zudoru_mgr_show_standinTargets.cmake DESTINATION ${ZMS_CMAKE_DIR} COMPONENT tools)
configure_package_config_file(cmake/zudoru_mgr_showConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/zudoru_mgr_showConfig.cmake INSTALL_DESTINATION ${ZMS_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/zudoru_mgr_showConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/zudoru_mgr_showConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/zudoru_mgr_showConfigVersion.cmake
  DESTINATION ${ZMS_CMAKE_DIR} COMPONENT dev)

# The .pc files find their prefix from where they lie, so the installed tree can move.
file(RELATIVE_PATH ZMS_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" ZMS_PC_TO_PREFIX ${ZMS_PC_TO_PREFIX})
configure_file(cmake/zudoru_mgr_show.pc.in zudoru_mgr_show.pc @ONLY)
configure_file(cmake/vdc_standin.pc.in vdc_standin.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/zudoru_mgr_show.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/vdc_standin.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT tools)

if(TARGET vdcsim)
  # The build tree holds the stand-in where an installed tree does: one RUNPATH for both.
  set_target_properties(vdcsim PROPERTIES BUILD_WITH_INSTALL_RPATH ON
    INSTALL_RPATH "$ORIGIN/../${ZMS_PRIVATE_LIBDIR}")
  install(TARGETS vdcsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tools)
  install(FILES completion/vdcsim.bash RENAME vdcsim
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions COMPONENT tools)
  install(FILES sim/CHASSIS.md DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT tools)
  install(FILES examples/small.yaml examples/large.yaml
    DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples COMPONENT tools)
endif()
install(DIRECTORY examples/consumer DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples COMPONENT dev)

include(cmake/manpages.cmake)
include(cmake/debian.cmake)

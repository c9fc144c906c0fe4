# Debian packages: `cmake --build BUILD --target debs` writes them to BUILD/packages/, from a
# tree configured with -DCMAKE_INSTALL_PREFIX=/usr (so that the libraries go to the multiarch
# folder). cmake/debs.sh stages each component, strips its binaries into a -dbgsym package,
# and adds what Debian asks of a package: copyright, changelog, shlibs, symbols, the ldconfig
# trigger and dependencies from dpkg-shlibdeps (from the C library's symbol versions when
# cross-compiling, where dpkg knows no PowerPC libraries).
set(ZMS_DEB_MAINTAINER "zudoru_mgr_show maintainers <maintainers@zudoru-mgr-show.example.org>"
  CACHE STRING "Maintainer of the Debian packages")
if(CMAKE_CROSSCOMPILING)
  set(ZMS_DEB_ARCH powerpc)
  set(ZMS_DEB_COMPONENTS "runtime dev")  # vdcsim is a host tool
else()
  execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE ZMS_DEB_ARCH
    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  set(ZMS_DEB_COMPONENTS "runtime dev")
  if(TARGET vdcsim)
    string(APPEND ZMS_DEB_COMPONENTS " tools")
  endif()
endif()
if(NOT CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  message(STATUS "Debian packages want -DCMAKE_INSTALL_PREFIX=/usr (now ${CMAKE_INSTALL_PREFIX})")
endif()
configure_file(cmake/deb/package.env.in ${CMAKE_BINARY_DIR}/deb-package.env @ONLY)
set(ZMS_DEB_TARGETS zudoru_mgr_show vdc_standin)
foreach(target vdcsim man_zudoru_mgr_show man_vdcsim)
  if(TARGET ${target})
    list(APPEND ZMS_DEB_TARGETS ${target})
  endif()
endforeach()
add_custom_target(debs
  COMMAND ${PROJECT_SOURCE_DIR}/cmake/debs.sh ${CMAKE_BINARY_DIR}/deb-package.env
  DEPENDS ${ZMS_DEB_TARGETS} COMMENT "Debian packages in ${CMAKE_BINARY_DIR}/packages" VERBATIM)

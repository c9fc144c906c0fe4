# Manual pages, written in scdoc (docs/*.scd) and built when scdoc is installed:
# vdcsim(1) with the tools, zudoru_mgr_show(3) with the development files.
find_program(ZMS_SCDOC scdoc)
if(NOT ZMS_SCDOC)
  message(STATUS "scdoc is not installed: no manual pages are built (scripts/deps.sh test)")
  return()
endif()

function(zms_manpage name section component)
  set(page ${CMAKE_BINARY_DIR}/man/${name}.${section})
  set(source ${PROJECT_SOURCE_DIR}/docs/${name}.${section}.scd)
  add_custom_command(OUTPUT ${page} COMMAND ${ZMS_SCDOC} < ${source} > ${page}
    DEPENDS ${source} VERBATIM)
  add_custom_target(man_${name} ALL DEPENDS ${page})
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section} COMPONENT ${component})
endfunction()

zms_manpage(zudoru_mgr_show 3 dev)
if(TARGET vdcsim)
  zms_manpage(vdcsim 1 tools)
endif()

# Manual pages, written in scdoc (docs/*.scd) and built when scdoc is installed:
# vdcsim(1) with the tools, zudoru_mgr_show(3) with the development files.
find_program(ZMS_SCDOC scdoc)
if(NOT ZMS_SCDOC)
  message(STATUS "scdoc is not installed: no manual pages are built (scripts/deps.sh test)")
  return()
endif()

# The pages carry the date of the latest release in CHANGELOG.md, not the day of the build:
# packages of one release hold the same pages on every architecture.
file(STRINGS ${PROJECT_SOURCE_DIR}/CHANGELOG.md ZMS_RELEASES REGEX "^## \\[[0-9.]+\\] - ")
list(GET ZMS_RELEASES 0 ZMS_LATEST_RELEASE)
string(REGEX REPLACE ".* - " "" ZMS_RELEASE_DATE "${ZMS_LATEST_RELEASE}")
execute_process(COMMAND date -u -d ${ZMS_RELEASE_DATE} +%s OUTPUT_VARIABLE ZMS_RELEASE_EPOCH
  OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)

function(zms_manpage name section component)
  set(page ${CMAKE_BINARY_DIR}/man/${name}.${section})
  set(source ${PROJECT_SOURCE_DIR}/docs/${name}.${section}.scd)
  add_custom_command(OUTPUT ${page}
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${ZMS_RELEASE_EPOCH}
            sh -c "${ZMS_SCDOC} < ${source} > ${page}"
    DEPENDS ${source} ${PROJECT_SOURCE_DIR}/CHANGELOG.md VERBATIM)
  add_custom_target(man_${name} ALL DEPENDS ${page})
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section} COMPONENT ${component})
endfunction()

zms_manpage(zudoru_mgr_show 3 dev)
if(TARGET vdcsim)
  zms_manpage(vdcsim 1 tools)
endif()

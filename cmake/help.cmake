# The help file: our own HTML pages in docs/help, compiled into help.chm in the
# application folder by chmcmd (Debian's fp-utils). It compiles in a copy of
# the sources, so nothing it writes lands in the source tree.
find_program(VM_CHMCMD chmcmd)
if(NOT VM_CHMCMD)
  message(WARNING "chmcmd not found: help.chm is not built (tools/setup.sh installs fp-utils)")
  return()
endif()

file(GLOB VM_HELP_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/help/*)
set(VM_HELP_WORK ${CMAKE_BINARY_DIR}/help)
add_custom_command(OUTPUT ${VM_APP_DIR}/help.chm
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${VM_HELP_WORK}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/docs/help ${VM_HELP_WORK}
  COMMAND ${CMAKE_COMMAND} -DVERSION_FILE=${VM_ENCODER_VERSION_FILE} -DPAGE=${VM_HELP_WORK}/encoder.html
          -P ${CMAKE_SOURCE_DIR}/cmake/help_encoder_version.cmake
  COMMAND ${CMAKE_COMMAND} -E chdir ${VM_HELP_WORK} ${VM_CHMCMD} --verbosity 0 vidmorph.hhp
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VM_APP_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy ${VM_HELP_WORK}/help.chm ${VM_APP_DIR}/help.chm
  DEPENDS ${VM_HELP_SOURCES} ${VM_ENCODER_VERSION_FILE}
  COMMENT "Compiling help.chm")
add_custom_target(app_help ALL DEPENDS ${VM_APP_DIR}/help.chm)

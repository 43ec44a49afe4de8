# The version, kept in the file VERSION alone, and what a Windows user
# downloads: an installer (NSIS) and a portable zip, both made from a copy of
# the application folder in <build dir>/dist.
file(STRINGS ${CMAKE_SOURCE_DIR}/VERSION VM_VERSION LIMIT_COUNT 1)
string(STRIP "${VM_VERSION}" VM_VERSION)
if(NOT VM_VERSION MATCHES "^[0-9]+(\\.[0-9]+)?(\\.[0-9]+)?(\\.[0-9]+)?$")
  message(FATAL_ERROR "VERSION holds \"${VM_VERSION}\"; expected numbers with dots, such as 3.0")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/VERSION)

# The program's version line reads it through this header (resources/vidmorph.rc).
file(CONFIGURE OUTPUT ${VM_GEN}/vm_version.h
  CONTENT "#pragma once\n#define VM_VERSION_TEXT \"${VM_VERSION}\"\n")
set_property(SOURCE ${VM_RC} APPEND PROPERTY OBJECT_DEPENDS ${VM_GEN}/vm_version.h)

find_program(VM_MAKENSIS makensis)
find_program(VM_ZIP zip)
if(NOT VM_MAKENSIS OR NOT VM_ZIP)
  message(WARNING "makensis or zip not found: no installer and no portable zip (tools/setup.sh installs nsis and zip)")
  return()
endif()

# Windows file versions have four numbers.
string(REPLACE "." ";" VM_VERSION_PARTS "${VM_VERSION}")
list(LENGTH VM_VERSION_PARTS n)
while(n LESS 4)
  list(APPEND VM_VERSION_PARTS 0)
  math(EXPR n "${n} + 1")
endwhile()
string(REPLACE ";" "." VM_VERSION_QUAD "${VM_VERSION_PARTS}")

# LZMA makes the smallest installer and takes about a minute; zlib is quicker.
set(VM_INSTALLER_COMPRESSOR lzma CACHE STRING "installer compression: lzma, bzip2 or zlib")
set_property(CACHE VM_INSTALLER_COMPRESSOR PROPERTY STRINGS lzma bzip2 zlib)

set(VM_DIST ${CMAKE_BINARY_DIR}/dist)
set(VM_DIST_NAME Vidmorph-${VM_VERSION})
set(VM_STAGE ${VM_DIST}/stage/${VM_DIST_NAME})
set(VM_STAGE_FILES ${VM_DIST}/files.nsh)
set(VM_STAGE_STAMP ${VM_DIST}/stage.stamp)
set(VM_SETUP ${VM_DIST}/${VM_DIST_NAME}-setup.exe)
set(VM_PORTABLE ${VM_DIST}/${VM_DIST_NAME}-portable.zip)
set(VM_NSI ${CMAKE_SOURCE_DIR}/tools/installer/vidmorph.nsi)
set(VM_STAGE_SCRIPT ${CMAKE_SOURCE_DIR}/tools/installer/stage_app.py)

# Runs at every build; the stamp changes only when the staged folder does, so
# the installer and the zip are remade only then.
add_custom_target(dist_stage
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VM_DIST}
  COMMAND python3 ${VM_STAGE_SCRIPT} ${VM_APP_DIR} ${VM_STAGE} ${VM_STAGE_FILES} ${VM_STAGE_STAMP}
  BYPRODUCTS ${VM_STAGE_STAMP} ${VM_STAGE_FILES}
  COMMENT "Staging the application folder")
# Everything that fills the application folder comes first.
foreach(t Vidmorph VidmorphCmd AuxDmo app_files app_lang VistaTheme app_help)
  if(TARGET ${t})
    add_dependencies(dist_stage ${t})
  endif()
endforeach()

add_custom_command(OUTPUT ${VM_SETUP}
  COMMAND ${VM_MAKENSIS} -V2 -NOCD
          -DVM_VERSION=${VM_VERSION} -DVM_VERSION_QUAD=${VM_VERSION_QUAD}
          -DVM_COMPRESSOR=${VM_INSTALLER_COMPRESSOR} -DVM_FILES=${VM_STAGE_FILES}
          -DVM_OUTFILE=${VM_SETUP} -DVM_ICON=${VM_GEN}/vidmorph.ico
          ${VM_NSI}
  DEPENDS ${VM_STAGE_STAMP} ${VM_STAGE_FILES} ${VM_NSI} ${VM_GEN}/vidmorph.ico
  COMMENT "Building ${VM_DIST_NAME}-setup.exe")
add_custom_target(installer ALL DEPENDS ${VM_SETUP})
add_dependencies(installer dist_stage generated_resources)

# Unpacks into one folder named after the version; -X leaves out Unix owners.
add_custom_command(OUTPUT ${VM_PORTABLE}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${VM_PORTABLE}
  COMMAND ${CMAKE_COMMAND} -E chdir ${VM_DIST}/stage ${VM_ZIP} -q -r -X -9 ${VM_PORTABLE} ${VM_DIST_NAME}
  DEPENDS ${VM_STAGE_STAMP}
  COMMENT "Building ${VM_DIST_NAME}-portable.zip")
add_custom_target(portable_zip ALL DEPENDS ${VM_PORTABLE})
add_dependencies(portable_zip dist_stage)

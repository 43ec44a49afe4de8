# The encoder ffmpeg.exe and the licence texts that go with it, from its
# cached build: tools/encoder/build.sh, which tools/setup.sh runs and links
# as build/deps/encoder.
set(VM_ENCODER_DIR ${CMAKE_SOURCE_DIR}/build/deps/encoder CACHE PATH "the built encoder")
if(NOT EXISTS ${VM_ENCODER_DIR}/ffmpeg.exe)
  message(FATAL_ERROR "no ffmpeg.exe in ${VM_ENCODER_DIR}: tools/setup.sh builds it")
endif()
file(GLOB VM_ENCODER_LICENCES CONFIGURE_DEPENDS ${VM_ENCODER_DIR}/licences/*)
# The version, for the help page; a copy that changes only with the encoder.
set(VM_ENCODER_VERSION_FILE ${CMAKE_BINARY_DIR}/encoder_version.txt)

# Files the running program looks for beside itself. Only what changed is
# copied, so an unchanged encoder does not remake the installer.
add_custom_target(app_files ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VM_APP_DIR}/licences
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VM_ENCODER_DIR}/ffmpeg.exe ${VM_APP_DIR}/ffmpeg.exe
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VM_ENCODER_LICENCES} ${VM_APP_DIR}/licences/
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VM_ENCODER_DIR}/VERSION ${VM_ENCODER_VERSION_FILE}
  BYPRODUCTS ${VM_ENCODER_VERSION_FILE})

# The encoder's corresponding source (it is GPL): the exact source packages it
# was built from and the script that built it, a download of its own beside
# the installer, named in the help.
file(STRINGS ${VM_ENCODER_DIR}/VERSION VM_ENCODER_VERSION LIMIT_COUNT 1)
file(GLOB VM_ENCODER_SOURCES CONFIGURE_DEPENDS ${VM_ENCODER_DIR}/source/*)
if(NOT VM_ENCODER_SOURCES)
  message(FATAL_ERROR "no source packages in ${VM_ENCODER_DIR}/source: tools/setup.sh builds the encoder again")
endif()
set(VM_ENCODER_SOURCE_ZIP ${CMAKE_BINARY_DIR}/dist/Vidmorph-encoder-${VM_ENCODER_VERSION}-source.zip)
add_custom_command(OUTPUT ${VM_ENCODER_SOURCE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/dist
  COMMAND ${CMAKE_COMMAND} -E rm -f ${VM_ENCODER_SOURCE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E chdir ${VM_ENCODER_DIR} ${CMAKE_COMMAND} -E tar cf ${VM_ENCODER_SOURCE_ZIP} --format=zip source
  DEPENDS ${VM_ENCODER_SOURCES}
  COMMENT "Packing the encoder's source")
add_custom_target(encoder_source ALL DEPENDS ${VM_ENCODER_SOURCE_ZIP})

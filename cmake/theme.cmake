# The theme file shipped beside the program, Vista.skinstyles: a module with
# no code, holding the colour schemes as UTF-16 "TEXTFILE" resources and the
# images, drawn as SVG and rendered to PNG here, as "PNG" resources. Resource
# names are the file names with "." turned into "_", in upper case. Each
# image is also rendered at 150 and 200 % for larger displays.
set(VM_THEME_SRC ${CMAKE_SOURCE_DIR}/skin/theme)
set(VM_THEME_GEN ${CMAKE_BINARY_DIR}/generated/theme)
file(MAKE_DIRECTORY ${VM_THEME_GEN})

file(GLOB VM_THEME_SVGS CONFIGURE_DEPENDS ${VM_THEME_SRC}/images/*.svg)
file(GLOB VM_THEME_INIS CONFIGURE_DEPENDS ${VM_THEME_SRC}/*.ini)
set(VM_THEME_RC_TEXT "")
set(VM_THEME_FILES)

foreach(ini ${VM_THEME_INIS})
  get_filename_component(name ${ini} NAME)
  get_filename_component(stem ${ini} NAME_WE)
  set(out ${VM_THEME_GEN}/${name})
  add_custom_command(OUTPUT ${out}
    COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/make_theme_text.py ${ini} ${out} ${VM_THEME_SRC}/images
    DEPENDS ${ini} ${CMAKE_SOURCE_DIR}/tools/make_theme_text.py ${VM_THEME_SVGS})
  string(TOUPPER "${stem}_INI" res)
  string(APPEND VM_THEME_RC_TEXT "${res} TEXTFILE \"${out}\"\n")
  list(APPEND VM_THEME_FILES ${out})
endforeach()

foreach(svg ${VM_THEME_SVGS})
  get_filename_component(stem ${svg} NAME_WE)
  set(out ${VM_THEME_GEN}/${stem}.png)
  add_custom_command(OUTPUT ${out} COMMAND rsvg-convert ${svg} -o ${out} DEPENDS ${svg})
  string(TOUPPER "${stem}_PNG" res)
  string(APPEND VM_THEME_RC_TEXT "${res} PNG \"${out}\"\n")
  list(APPEND VM_THEME_FILES ${out})
  # The same image for larger displays, as if in the theme's folder
  # "Scale<percent>": resource SCALE150_<NAME>_PNG for Scale150\<name>.png.
  foreach(scale 150 200)
    set(out ${VM_THEME_GEN}/Scale${scale}/${stem}.png)
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${VM_THEME_GEN}/Scale${scale}
      COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/make_theme_images.py ${svg} ${scale} ${out}
              ${VM_THEME_INIS}
      DEPENDS ${svg} ${VM_THEME_INIS} ${CMAKE_SOURCE_DIR}/tools/make_theme_images.py)
    string(APPEND VM_THEME_RC_TEXT "SCALE${scale}_${res} PNG \"${out}\"\n")
    list(APPEND VM_THEME_FILES ${out})
  endforeach()
endforeach()

# Rewritten only when the list of files changes.
file(CONFIGURE OUTPUT ${VM_THEME_GEN}/theme.rc CONTENT "${VM_THEME_RC_TEXT}")
add_custom_target(theme_files DEPENDS ${VM_THEME_FILES})
set_source_files_properties(${VM_THEME_GEN}/theme.rc PROPERTIES OBJECT_DEPENDS "${VM_THEME_FILES}")

add_library(VistaTheme MODULE ${VM_THEME_GEN}/theme.rc)
add_dependencies(VistaTheme theme_files)
set_target_properties(VistaTheme PROPERTIES
  PREFIX "" OUTPUT_NAME Vista SUFFIX .skinstyles LINKER_LANGUAGE C
  LIBRARY_OUTPUT_DIRECTORY ${VM_APP_DIR})
# No code and no entry point: nothing runs when the theme is loaded.
target_link_options(VistaTheme PRIVATE -nostdlib -Wl,-e,0 -Wl,--no-insert-timestamp)

add_dependencies(vm_win_tests VistaTheme)
foreach(tool theme_sheet bench_theme_startup)
  if(TARGET ${tool})
    add_dependencies(${tool} VistaTheme Vidmorph)
  endif()
endforeach()

# Windows build: the program, its side component, and the Windows tests.
set(VM_DEPS ${CMAKE_SOURCE_DIR}/build/deps/mingw CACHE PATH "cross-built dependencies")
set(VM_APP_DIR ${CMAKE_SOURCE_DIR}/build/app CACHE PATH "application folder")

set(VM_WIN_DEFS UNICODE _UNICODE _WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX)
set(VM_STATIC_LINK -static -static-libgcc -static-libstdc++)

set(VM_WIN_PARTS ON)
include(${CMAKE_SOURCE_DIR}/cmake/modules.cmake)
# Every module uses the framework, so what all of them need is set there.
target_compile_definitions(vm_framework PUBLIC ${VM_WIN_DEFS})
target_compile_options(vm_framework PUBLIC ${VM_WARNINGS})
target_link_libraries(vm_framework PUBLIC comctl32 comdlg32 shell32 shlwapi ole32 uuid
  gdi32 user32 kernel32 advapi32 msimg32 psapi oleaut32 uxtheme)
target_include_directories(vm_skin PRIVATE ${VM_DEPS}/include)
target_link_directories(vm_skin PUBLIC ${VM_DEPS}/lib)
target_link_libraries(vm_skin PUBLIC png16 z)

# The application icon is drawn as SVG and rendered at build time.
set(VM_GEN ${CMAKE_BINARY_DIR}/generated)
add_custom_command(OUTPUT ${VM_GEN}/vidmorph.ico
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VM_GEN}
  COMMAND rsvg-convert -w 48 -h 48 ${CMAKE_SOURCE_DIR}/resources/vidmorph.svg -o ${VM_GEN}/icon48.png
  COMMAND rsvg-convert -w 32 -h 32 ${CMAKE_SOURCE_DIR}/resources/vidmorph.svg -o ${VM_GEN}/icon32.png
  COMMAND rsvg-convert -w 16 -h 16 ${CMAKE_SOURCE_DIR}/resources/vidmorph.svg -o ${VM_GEN}/icon16.png
  COMMAND convert ${VM_GEN}/icon48.png ${VM_GEN}/icon32.png ${VM_GEN}/icon16.png ${VM_GEN}/vidmorph.ico
  DEPENDS ${CMAKE_SOURCE_DIR}/resources/vidmorph.svg)
add_custom_target(generated_resources DEPENDS ${VM_GEN}/vidmorph.ico)

set(VM_RC ${CMAKE_SOURCE_DIR}/resources/vidmorph.rc)
file(GLOB VM_RC_DEPS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*)
set_source_files_properties(${VM_RC} PROPERTIES OBJECT_DEPENDS "${VM_RC_DEPS};${VM_GEN}/vidmorph.ico")
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${VM_GEN} -I${CMAKE_SOURCE_DIR}/resources")

add_executable(Vidmorph WIN32 program/win/main.cpp ${VM_RC})
target_link_libraries(Vidmorph PRIVATE vm_program)
add_dependencies(Vidmorph generated_resources)
target_link_options(Vidmorph PRIVATE -municode ${VM_STATIC_LINK})
set_target_properties(Vidmorph PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VM_APP_DIR})

# The console twin of the window, on the same run and catalogue.
add_executable(VidmorphCmd cmd/win/main.cpp)
target_link_libraries(VidmorphCmd PRIVATE vm_cmd)
target_link_options(VidmorphCmd PRIVATE -municode ${VM_STATIC_LINK})
set_target_properties(VidmorphCmd PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VM_APP_DIR})

add_library(AuxDmo SHARED app/auxdmo/auxdmo.cpp app/auxdmo/auxdmo.def)
set_target_properties(AuxDmo PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${VM_APP_DIR})
target_compile_options(AuxDmo PRIVATE ${VM_WARNINGS})
target_link_options(AuxDmo PRIVATE ${VM_STATIC_LINK})

# Starts and drives the real program from outside; shared by tests and benchmarks.
add_library(vm_harness STATIC tests/win/program_harness.cpp tests/win/convert_driver.cpp)
target_include_directories(vm_harness PUBLIC ${VM_TEST_INCLUDES} ${VM_DEPS}/include)
target_link_libraries(vm_harness PUBLIC vm_program)

file(GLOB VM_WIN_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.cpp)
list(REMOVE_ITEM VM_WIN_TESTS ${CMAKE_SOURCE_DIR}/tests/win/program_harness.cpp
  ${CMAKE_SOURCE_DIR}/tests/win/convert_driver.cpp)
add_executable(vm_win_tests ${VM_WIN_TESTS} ${VM_RC})
target_link_libraries(vm_win_tests PRIVATE vm_harness ${VM_DEPS}/lib/libgtest.a)
add_dependencies(vm_win_tests generated_resources)
target_link_options(vm_win_tests PRIVATE ${VM_STATIC_LINK})
target_compile_definitions(vm_win_tests PRIVATE VM_SOURCE_DIR="${CMAKE_SOURCE_DIR}")

# Small programs the Windows tests start or load (stand-in encoder, probe DLLs):
# tests/helpers/NAME.cpp becomes NAME.exe, or NAME.dll when NAME starts with dll_.
file(GLOB VM_TEST_HELPERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/helpers/*.cpp)
foreach(f ${VM_TEST_HELPERS})
  get_filename_component(name ${f} NAME_WE)
  if(name MATCHES "^dll_")
    add_library(${name} SHARED ${f})
    set_target_properties(${name} PROPERTIES PREFIX "")
  else()
    add_executable(${name} ${f})
  endif()
  target_compile_definitions(${name} PRIVATE ${VM_WIN_DEFS})
  target_compile_options(${name} PRIVATE ${VM_WARNINGS})
  target_link_options(${name} PRIVATE ${VM_STATIC_LINK})
  target_link_libraries(${name} PRIVATE uxtheme shell32)
  # skin_NAME runs the skin engine itself; framework_NAME the framework.
  if(name MATCHES "^skin_")
    target_link_libraries(${name} PRIVATE vm_skin)
  endif()
  # convert_NAME builds command lines as a run does.
  if(name MATCHES "^convert_")
    target_link_libraries(${name} PRIVATE vm_convert)
    target_link_options(${name} PRIVATE -municode)
  endif()
  if(name MATCHES "^framework_")
    target_link_libraries(${name} PRIVATE vm_framework)
    target_link_options(${name} PRIVATE -municode)
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/helpers)
  add_dependencies(vm_win_tests ${name})
endforeach()

# Benchmarks: tools/bench/NAME.cpp becomes a console program linked with the program's code.
file(GLOB VM_BENCHES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/bench/*.cpp)
foreach(f ${VM_BENCHES})
  get_filename_component(name ${f} NAME_WE)
  add_executable(${name} ${f})
  target_link_libraries(${name} PRIVATE vm_harness)
  target_link_options(${name} PRIVATE ${VM_STATIC_LINK})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endforeach()

# Language packs: written as UTF-8, shipped as UTF-16 with a byte-order mark,
# which the Windows INI functions read as Unicode. Regenerated only when the
# source changes, so a stored current language survives ordinary rebuilds.
add_custom_command(OUTPUT ${VM_APP_DIR}/mlg.txt
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VM_APP_DIR}
  COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/make_mlg.py
          ${CMAKE_SOURCE_DIR}/resources/mlg.source.txt ${VM_APP_DIR}/mlg.txt
  DEPENDS ${CMAKE_SOURCE_DIR}/resources/mlg.source.txt ${CMAKE_SOURCE_DIR}/tools/make_mlg.py)
add_custom_target(app_lang ALL DEPENDS ${VM_APP_DIR}/mlg.txt
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/resources/morelg.txt ${VM_APP_DIR}/morelg.txt)

# Further parts of the application folder, each in a file of its own.
include(${CMAKE_SOURCE_DIR}/cmake/encoder.cmake)
include(${CMAKE_SOURCE_DIR}/cmake/theme.cmake OPTIONAL)
include(${CMAKE_SOURCE_DIR}/cmake/help.cmake OPTIONAL)
include(${CMAKE_SOURCE_DIR}/cmake/installer.cmake OPTIONAL)

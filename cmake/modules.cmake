# The layers as libraries: one per module, linked to the modules it may use and
# given only their include roots, so that including any other module fails to
# compile. The Windows build takes each module's win/ folder too; the native
# builds take the portable code alone, which therefore cannot reach a Windows
# header or the dialog ids. tools/check_layers.py reads the vm_module lines and
# checks that docs/ARCHITECTURE.md shows the same table.
#
# Set before including: VM_WIN_PARTS (ON to build the win/ folders).
set(VM_LAYER_ROOTS ${CMAKE_BINARY_DIR}/layers)

# Modules whose win/ code builds dialogs from the templates of resources/.
set(VM_DIALOG_MODULES profiles app convert program)

# A folder of the tree reachable as "<name>/..." from an include root of its own.
function(vm_include_root name)
  file(MAKE_DIRECTORY ${VM_LAYER_ROOTS}/${name})
  if(NOT EXISTS ${VM_LAYER_ROOTS}/${name}/${name})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${name} ${VM_LAYER_ROOTS}/${name}/${name} SYMBOLIC)
  endif()
endfunction()

# vm_module(NAME USED...): the library vm_NAME, which may use the modules USED.
function(vm_module name)
  vm_include_root(${name})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${name}/*.cpp)
  if(VM_WIN_PARTS)
    # skin/win/ is split into rooms, sub-folders of its own.
    file(GLOB_RECURSE win CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${name}/win/*.cpp)
    # The entry points belong to the executables, which the tests do not link.
    list(FILTER win EXCLUDE REGEX "/(program|cmd)/win/main\.cpp$")
    list(APPEND sources ${win})
  endif()
  set(uses)
  foreach(used ${ARGN})
    list(APPEND uses vm_${used})
  endforeach()
  if(sources)
    add_library(vm_${name} STATIC ${sources})
    set(scope PUBLIC)
  else()
    add_library(vm_${name} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(vm_${name} ${scope} ${VM_LAYER_ROOTS}/${name})
  target_link_libraries(vm_${name} ${scope} ${uses})
  if(sources AND VM_WIN_PARTS AND name IN_LIST VM_DIALOG_MODULES)
    target_include_directories(vm_${name} PRIVATE ${VM_LAYER_ROOTS}/resources)
  endif()
endfunction()

vm_include_root(resources)
vm_include_root(tests)

vm_module(framework)
vm_module(skin framework)
vm_module(profiles framework)
vm_module(app framework profiles)
vm_module(convert framework profiles app)
vm_module(program framework skin profiles app convert)
vm_module(cmd framework profiles app convert)

# What tests and benchmarks include besides the modules.
set(VM_TEST_INCLUDES ${VM_LAYER_ROOTS}/tests ${VM_LAYER_ROOTS}/resources)

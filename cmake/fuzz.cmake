# libFuzzer targets (clang): one executable per tests/fuzz/*.cpp.
set(VM_FUZZ_FLAGS -fsanitize=fuzzer,address,undefined -fno-omit-frame-pointer)
add_library(vm_core_fuzz STATIC ${VM_PORTABLE_SOURCES})
target_include_directories(vm_core_fuzz PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(vm_core_fuzz PUBLIC -Wall -Wextra -Werror -fsanitize=fuzzer-no-link,address,undefined)

file(GLOB VM_FUZZERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*.cpp)
foreach(f ${VM_FUZZERS})
  get_filename_component(name ${f} NAME_WE)
  add_executable(${name} ${f})
  target_link_libraries(${name} PRIVATE vm_core_fuzz)
  target_compile_options(${name} PRIVATE ${VM_FUZZ_FLAGS})
  target_link_options(${name} PRIVATE ${VM_FUZZ_FLAGS})
endforeach()

# Native build: the portable code with AddressSanitizer and UBSan, and its tests.
set(VM_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)

set(VM_WIN_PARTS OFF)
include(${CMAKE_SOURCE_DIR}/cmake/modules.cmake)
target_compile_options(vm_framework PUBLIC ${VM_WARNINGS} ${VM_SANITIZE})
target_link_options(vm_framework PUBLIC ${VM_SANITIZE})

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB VM_NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
add_executable(vm_native_tests ${VM_NATIVE_TESTS})
target_include_directories(vm_native_tests PRIVATE ${VM_TEST_INCLUDES})
target_link_libraries(vm_native_tests PRIVATE vm_program vm_cmd gtest_main)
target_compile_definitions(vm_native_tests PRIVATE VM_SOURCE_DIR="${CMAKE_SOURCE_DIR}")

enable_testing()
add_test(NAME native COMMAND vm_native_tests)

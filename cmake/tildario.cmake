# Shared compiler settings and the one helper every test target is declared through.

set(TILDARIO_WARNINGS -Wall -Wextra -Wshadow -Wformat=2 -Wundef -Wimplicit-fallthrough)

function(tildario_warnings target)
  target_compile_options(${target} PRIVATE ${TILDARIO_WARNINGS})
endfunction()

if(WIN32)
  # One self-contained exe per target: no MinGW runtime DLLs beside it.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # No link time in the PE header: the same sources give the same executable.
  add_link_options(-Wl,--no-insert-timestamp)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  # The build's architecture as the release names it (win64, win32) and as manifests name it.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(TILDARIO_WINDOWS_ARCH win64)
    set(TILDARIO_MANIFEST_ARCH amd64)
  else()
    set(TILDARIO_WINDOWS_ARCH win32)
    set(TILDARIO_MANIFEST_ARCH x86)
  endif()
endif()

# tildario_large_addresses(target): a 32-bit program may then use 4 GB on 64-bit Windows, room
# for long texts. The 64-bit linker sets the flag itself and does not know the option.
function(tildario_large_addresses target)
  if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_link_options(${target} PRIVATE -Wl,--large-address-aware)
  endif()
endfunction()

# tildario_runtime_path(OUT path): `path` (a generator expression may do) as this build's programs
# see it. Cross-built programs run under Wine, which shows the Unix root as drive Z:.
function(tildario_runtime_path out path)
  if(WIN32 AND CMAKE_HOST_UNIX)
    set(path "Z:${path}")
  endif()
  set(${out} "${path}" PARENT_SCOPE)
endfunction()

# tildario_add_test(NAME name SOURCES ... LIBS ... [LABELS ...])
# Declares a GoogleTest executable and registers its cases with CTest. Under the cross build
# CTest runs it through the emulator (wine) given by the toolchain file.
function(tildario_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  tildario_warnings(${T_NAME})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  # Under Wine every process start costs seconds: there, one CTest entry runs the whole binary.
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    if(T_LABELS)
      set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABELS}")
    endif()
  else()
    gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 120 PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()

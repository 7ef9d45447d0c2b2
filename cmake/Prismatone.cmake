# Shared helpers for the module CMakeLists files.

# Third-party libraries: Debian's -dev packages natively, our cross-built copies under build/deps for MinGW.
if(WIN32)
  set(_deps ${CMAKE_CURRENT_LIST_DIR}/../build/deps/${PRISMATONE_TRIPLET})
  add_library(dep_zlib STATIC IMPORTED GLOBAL)
  set_target_properties(dep_zlib PROPERTIES IMPORTED_LOCATION /usr/${PRISMATONE_TRIPLET}/lib/libz.a
    INTERFACE_INCLUDE_DIRECTORIES /usr/${PRISMATONE_TRIPLET}/include)
  add_library(dep_png STATIC IMPORTED GLOBAL)
  set_target_properties(dep_png PROPERTIES IMPORTED_LOCATION ${_deps}/lib/libpng16.a
    INTERFACE_INCLUDE_DIRECTORIES ${_deps}/include INTERFACE_LINK_LIBRARIES dep_zlib)
  add_library(dep_jpeg STATIC IMPORTED GLOBAL)
  set_target_properties(dep_jpeg PROPERTIES IMPORTED_LOCATION ${_deps}/lib/libjpeg.a
    INTERFACE_INCLUDE_DIRECTORIES ${_deps}/include)
  if(PRISMATONE_TESTS)
    set(GTest_DIR ${_deps}/lib/cmake/GTest)
    find_package(GTest REQUIRED CONFIG)
  endif()
else()
  find_package(ZLIB REQUIRED)
  find_package(PNG REQUIRED)
  find_package(JPEG REQUIRED)
  if(PRISMATONE_TESTS)
    find_package(GTest REQUIRED)
  endif()
  # Benchmarks under the sanitizers would measure the sanitizers: that tree builds none.
  if(NOT PRISMATONE_SANITIZE)
    find_package(benchmark QUIET)
  endif()
  add_library(dep_zlib INTERFACE IMPORTED GLOBAL)
  target_link_libraries(dep_zlib INTERFACE ZLIB::ZLIB)
  add_library(dep_png INTERFACE IMPORTED GLOBAL)
  target_link_libraries(dep_png INTERFACE PNG::PNG)
  add_library(dep_jpeg INTERFACE IMPORTED GLOBAL)
  target_link_libraries(dep_jpeg INTERFACE JPEG::JPEG)
endif()

set(PRISMATONE_ROOT ${CMAKE_CURRENT_LIST_DIR}/..)

# emulated_suite: what the suite runs of the 32-bit build on a host that only emulates 32-bit
# code (the tests labelled bitness and the end-to-end tests, scripts/test.sh), which builds only
# this there. prismatone_emulated_needs(TARGET...) adds the programs such a test starts.
if(PRISMATONE_KIND STREQUAL "win32" AND PRISMATONE_TESTS)
  add_custom_target(emulated_suite)
endif()
function(prismatone_emulated_needs)
  if(TARGET emulated_suite)
    add_dependencies(emulated_suite ${ARGN})
  endif()
endfunction()
set(PRISMATONE_WINE_RUN ${PRISMATONE_ROOT}/scripts/wine-run.sh)

# prismatone_test(NAME [BITNESS] [RUNNER SCRIPT] SOURCES... LIBS ...): a GoogleTest executable.
# Natively it runs directly. In the win32 configuration ctest runs it through Wine twice, once in
# the 64-bit prefix (our 32-bit program under WOW64, "NAME.wow64") and once in the 32-bit prefix
# ("NAME.win32"); in the win64 configuration once, as an x86-64 program in the 64-bit prefix
# ("NAME.x64"). BITNESS marks a test whose expectations depend on the process being 32-bit (the
# label "bitness"): on a host that only emulates 32-bit code, those are the ones still run as
# 32-bit programs. RUNNER names a script that runs it under Wine instead of wine-run.sh, with the
# same arguments (the prefix, the program).
function(prismatone_test name)
  cmake_parse_arguments(T "BITNESS" "RUNNER" "SOURCES;LIBS" ${ARGN})
  set(runner ${PRISMATONE_WINE_RUN})
  if(T_RUNNER)
    set(runner ${T_RUNNER})
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  set(labels wine)
  # PRISMATONE_GTEST tells wine-run.sh that the program prints a GoogleTest console report.
  set(env PRISMATONE_GTEST=1)
  if(T_BITNESS)
    list(APPEND labels bitness)
    prismatone_emulated_needs(${name})
  endif()
  if(PRISMATONE_KIND STREQUAL "win32")
    foreach(kind wow64 win32)
      set(prefix ${kind})
      if(kind STREQUAL "wow64")
        set(prefix win64)
      endif()
      add_test(NAME ${name}.${kind} COMMAND ${runner} ${prefix} $<TARGET_FILE:${name}>)
      set_tests_properties(${name}.${kind} PROPERTIES LABELS "${labels}" ENVIRONMENT "${env}")
    endforeach()
  elseif(PRISMATONE_KIND STREQUAL "win64")
    add_test(NAME ${name}.x64 COMMAND ${runner} win64 $<TARGET_FILE:${name}>)
    set_tests_properties(${name}.x64 PROPERTIES LABELS "${labels}" ENVIRONMENT "${env}")
  else()
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS native)
  endif()
endfunction()

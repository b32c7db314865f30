# Build helpers shared by every folder. Each folder's CMakeLists.txt calls these; what a call
# produces depends on the flavour of the build tree (MZ_FLAVOUR), so one list of sources serves all.
#
#   mz_pure_library(name SOURCES ... [DEPS ...])   code without windows.h: every flavour
#   mz_win_library(name SOURCES ... [DEPS ...])    Win32 code: wine flavour
#   mz_program(name SOURCES ... [DEPS ...] [RESOURCES x.rc] [GUI])   a winelib .exe
#   mz_plugin(name SPEC x.spec SOURCES ... [DEPS ...] [RESOURCES x.rc])  a winelib .dll (plug-in module);
#                                                   without RESOURCES it gets a version resource of MZ_VERSION
#   mz_wine_test(name SOURCES ... [DEPS ...] [LABELS ...])          gtest binary run under Wine + Xvfb
#   mz_native_test(name SOURCES ... [DEPS ...] [LABELS ...])        gtest binary under ASan/UBSan
#   mz_fuzz(name SOURCES ... [DEPS ...] [SECONDS n] [SEEDS dir])    libFuzzer target, run for n seconds
#   mz_bench(name SOURCES ... [DEPS ...])                           Google Benchmark program (not run by tests)
#   mz_wine_bench(name SOURCES ... [DEPS ...])                      the same as a winelib program, for Win32 code;
#                                                   run it with harness/wine-run.sh on a started harness
#
# Includes are written from the project root: #include "toolkit/rtl/AnsiText.h".

set(MZ_WINE_INCLUDE /usr/include/wine/wine/windows)
set(MZ_HARNESS_DIR ${CMAKE_SOURCE_DIR}/harness)
set(MZ_HARNESS_STATE ${CMAKE_BINARY_DIR}/harness)
# Sessions of their own for the Wine tests that need the focus (see mz_wine_test).
set(MZ_WINE_LANES 3)
# Embedded Firebird keeps its lock files in one folder shared by every process of the machine unless
# FIREBIRD_LOCK names another: each test gets its own, so that no other test or run can hold it up.
# Firebird makes the test's own folder, not its parent.
set(MZ_FIREBIRD_LOCK "FIREBIRD_LOCK=${CMAKE_BINARY_DIR}/firebird-lock")
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/firebird-lock)
# Version of the program's own modules (their version resources).
set(MZ_VERSION 1.0.0.0)
# Where the program, its modules and its data folders are laid out (scripts/run.sh starts it from here).
set(MZ_INSTALL_DIR ${CMAKE_BINARY_DIR}/MZ3100)

if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # Portuguese literals in the UTF-8 sources become Windows-1252 bytes.
  add_compile_options(-finput-charset=UTF-8 -fexec-charset=CP1252)
endif()
add_compile_options(-Wall -Wextra -Wno-unused-parameter)

if(MZ_FLAVOUR STREQUAL "wine")
  find_program(MZ_WINEGXX wineg++ REQUIRED)
  find_program(MZ_WINE wine REQUIRED)
  # wineg++ links executables as shared objects: everything is position-independent.
  add_compile_options(-DNOMINMAX -DWIN32_LEAN_AND_MEAN -fPIC)
  include_directories(SYSTEM ${MZ_WINE_INCLUDE})
  set(CMAKE_CXX_LINK_EXECUTABLE
      "${MZ_WINEGXX} <FLAGS> <CMAKE_CXX_LINK_FLAGS> <LINK_FLAGS> <OBJECTS> -o <TARGET> <LINK_LIBRARIES>")
  set(CMAKE_CXX_CREATE_SHARED_LIBRARY
      "${MZ_WINEGXX} -shared <CMAKE_SHARED_LIBRARY_CXX_FLAGS> <LANGUAGE_COMPILE_FLAGS> <LINK_FLAGS> <OBJECTS> -o <TARGET> <LINK_LIBRARIES>")
  find_package(GTest REQUIRED)
  find_package(benchmark REQUIRED)
elseif(MZ_FLAVOUR STREQUAL "native")
  find_package(GTest REQUIRED)
  find_package(benchmark REQUIRED)
elseif(MZ_FLAVOUR STREQUAL "fuzz")
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "The fuzz flavour needs clang (CXX=clang++)")
  endif()
else()
  message(FATAL_ERROR "Unknown MZ_FLAVOUR '${MZ_FLAVOUR}'")
endif()

# Line tables are all the debug information the builds keep: backtraces and sanitizer reports name files
# and lines, and the objects and links stay small. Test code is not optimised: it is compiled far more
# often than it runs, and the code it tests keeps its own flags.
set(MZ_OPT -O2 -g1)
set(MZ_OPT_SANITIZED -O1 -g1)
set(MZ_OPT_TEST -O0 -g1)

set(MZ_SANITIZE_NATIVE -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
set(MZ_SANITIZE_FUZZ -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined)
# Win32 libraries every winelib binary may call.
set(MZ_WIN32_LIBS user32 gdi32 comctl32 comdlg32 advapi32 shell32 version winspool ole32 oleaut32 uuid imm32 msimg32)

function(mz_parse_args prefix)
  cmake_parse_arguments(PARSE_ARGV 1 A "GUI;ALONE" "SPEC;SECONDS;SEEDS;RESOURCES;TIMEOUT" "SOURCES;DEPS;LABELS")
  foreach(v GUI ALONE SPEC SECONDS SEEDS RESOURCES TIMEOUT SOURCES DEPS LABELS)
    set(${prefix}_${v} "${A_${v}}" PARENT_SCOPE)
  endforeach()
endfunction()

function(mz_common target)
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
endfunction()

function(mz_pure_library name)
  mz_parse_args(A ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  mz_common(${name})
  target_link_libraries(${name} PUBLIC ${A_DEPS})
  if(MZ_FLAVOUR STREQUAL "native")
    target_compile_options(${name} PRIVATE ${MZ_SANITIZE_NATIVE} ${MZ_OPT_SANITIZED})
    # An optimised, unsanitised twin for the benchmarks; built only when a benchmark asks for it.
    add_library(${name}_bench STATIC EXCLUDE_FROM_ALL ${A_SOURCES})
    mz_common(${name}_bench)
    target_compile_options(${name}_bench PRIVATE ${MZ_OPT})
    foreach(d ${A_DEPS})
      target_link_libraries(${name}_bench PUBLIC $<IF:$<TARGET_EXISTS:${d}_bench>,${d}_bench,${d}>)
    endforeach()
  elseif(MZ_FLAVOUR STREQUAL "fuzz")
    target_compile_options(${name} PRIVATE ${MZ_SANITIZE_FUZZ} ${MZ_OPT_SANITIZED})
  else()
    target_compile_options(${name} PRIVATE ${MZ_OPT})
  endif()
endfunction()

function(mz_win_library name)
  if(NOT MZ_FLAVOUR STREQUAL "wine")
    return()
  endif()
  mz_parse_args(A ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  mz_common(${name})
  target_compile_options(${name} PRIVATE ${MZ_OPT})
  target_link_libraries(${name} PUBLIC ${A_DEPS} ${MZ_WIN32_LIBS})
endfunction()

# Files the build makes before wrc runs (the program's own skin, gen/skin): resource scripts include
# them from the build tree's root.
set(MZ_GENERATED_RESOURCES ${CMAKE_BINARY_DIR}/gen/skin/out/WebInternal.asz ${CMAKE_BINARY_DIR}/gen/skin/out/acSHDA.png
    ${CMAKE_BINARY_DIR}/gen/skin/out/acSHDI.png)

# Adds a .rc file (relative to the current source folder, or absolute): wrc turns it into a .res that
# the wineg++ link takes. Scripts include files from their own folder, the project root and the build
# tree's root (generated files).
function(mz_add_resources target rc)
  get_filename_component(base ${rc} NAME_WE)
  get_filename_component(rc ${rc} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  set(res ${CMAKE_CURRENT_BINARY_DIR}/${target}-${base}.res)
  # A script of the source tree includes the scripts beside it and names the pictures of its "artes"
  # folder; a new one among them comes with a change of the script itself.
  set(incluidos)
  get_filename_component(dir ${rc} DIRECTORY)
  string(FIND "${dir}/" "${CMAKE_SOURCE_DIR}/" naFonte)
  string(FIND "${dir}/" "${CMAKE_BINARY_DIR}/" gerado)
  if(naFonte EQUAL 0 AND NOT gerado EQUAL 0)
    file(GLOB incluidos ${dir}/*.rc ${dir}/artes/*)
  endif()
  # Only a script that takes the generated skin, itself or through the engine's script, waits for the
  # generator; the build reads the script again when it changes.
  set(gerados)
  file(STRINGS ${rc} usaGerados REGEX "gen/skin/out/|sDefaultSkin\\.rc")
  if(usaGerados)
    set(gerados ${MZ_GENERATED_RESOURCES})
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${rc})
  add_custom_command(OUTPUT ${res}
    COMMAND wrc -I${MZ_WINE_INCLUDE} -I${CMAKE_CURRENT_SOURCE_DIR} -I${CMAKE_SOURCE_DIR} -I${CMAKE_BINARY_DIR}
      -o ${res} ${rc}
    DEPENDS ${rc} ${incluidos} ${gerados} WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
  add_custom_target(${target}_res DEPENDS ${res})
  add_dependencies(${target} ${target}_res)
  target_link_options(${target} PRIVATE ${res})
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${res})
endfunction()

function(mz_program name)
  if(NOT MZ_FLAVOUR STREQUAL "wine")
    return()
  endif()
  mz_parse_args(A ${ARGN})
  add_executable(${name} ${A_SOURCES})
  mz_common(${name})
  set_target_properties(${name} PROPERTIES SUFFIX ".exe")
  target_compile_options(${name} PRIVATE ${MZ_OPT})
  target_link_libraries(${name} PRIVATE ${A_DEPS} ${MZ_WIN32_LIBS})
  if(A_GUI)
    target_link_options(${name} PRIVATE -mwindows)
  endif()
  if(A_RESOURCES)
    mz_add_resources(${name} ${A_RESOURCES})
  endif()
endfunction()

function(mz_plugin name)
  if(NOT MZ_FLAVOUR STREQUAL "wine")
    return()
  endif()
  mz_parse_args(A ${ARGN})
  add_library(${name} SHARED ${A_SOURCES})
  mz_common(${name})
  # wineg++ writes NAME.dll.so; naming the target's file so keeps ninja from linking it again on every build.
  set_target_properties(${name} PROPERTIES PREFIX "" SUFFIX ".dll.so"
                        LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/plugins-out)
  target_compile_options(${name} PRIVATE ${MZ_OPT})
  target_link_options(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/${A_SPEC})
  set_property(TARGET ${name} APPEND PROPERTY LINK_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${A_SPEC})
  target_link_libraries(${name} PRIVATE ${A_DEPS} ${MZ_WIN32_LIBS})
  if(NOT A_RESOURCES)
    # Every module carries a true version resource, which the program's module list shows.
    set(MZ_MODULE_NAME ${name})
    string(REPLACE "." "," MZ_VERSION_COMMAS ${MZ_VERSION})
    set(A_RESOURCES ${CMAKE_CURRENT_BINARY_DIR}/${name}_version.rc)
    configure_file(${CMAKE_SOURCE_DIR}/cmake/ModuleVersion.rc.in ${A_RESOURCES} @ONLY)
  endif()
  mz_add_resources(${name} ${A_RESOURCES})
endfunction()

# The test frameworks' headers, parsed once per build tree: every test source of the flavour reuses the
# precompiled header of this one target (GCC falls back to the plain headers where flags differ).
# The Wine tests also take their main() from it.
function(mz_test_base name flags)
  if(TARGET ${name})
    return()
  endif()
  if(MZ_FLAVOUR STREQUAL "wine")
    add_library(${name} OBJECT ${MZ_HARNESS_DIR}/WineTestMain.cpp)
  else()
    # An executable like the tests, so that the header is compiled as position-independent as theirs.
    set(src ${CMAKE_BINARY_DIR}/${name}.cpp)
    file(WRITE ${src} "// The test frameworks' precompiled headers.\nint main() { return 0; }\n")
    add_executable(${name} ${src})
    target_link_options(${name} PRIVATE ${flags})
  endif()
  mz_common(${name})
  target_compile_options(${name} PRIVATE ${flags})
  target_link_libraries(${name} PUBLIC GTest::gtest GTest::gmock)
  target_precompile_headers(${name} PRIVATE <gmock/gmock.h> <gtest/gtest.h>)
endfunction()

function(mz_test_uses_base name base flags)
  mz_test_base(${base} "${flags}")
  target_compile_options(${name} PRIVATE ${flags})
  target_precompile_headers(${name} REUSE_FROM ${base})
endfunction()

# A Wine test: one CTest test per binary (each Wine start costs time), run by harness/wine-run.sh
# inside the test prefix, on the private display that the mz_wine fixture starts and stops.
function(mz_wine_test name)
  if(NOT MZ_FLAVOUR STREQUAL "wine")
    return()
  endif()
  mz_parse_args(A ${ARGN})
  add_executable(${name} ${A_SOURCES})
  mz_common(${name})
  set_target_properties(${name} PROPERTIES SUFFIX ".exe")
  mz_test_uses_base(${name} mz_wine_test_main "${MZ_OPT_TEST}")
  target_sources(${name} PRIVATE $<TARGET_OBJECTS:mz_wine_test_main>)
  target_link_libraries(${name} PRIVATE ${A_DEPS} GTest::gtest GTest::gmock ${MZ_WIN32_LIBS})
  if(A_RESOURCES)
    mz_add_resources(${name} ${A_RESOURCES})
  endif()
  # Tests that move the cursor or need the focus and the active window run in a lane: a session of
  # their own (prefix, wineserver and display) that they take one at a time, where no other test's
  # window can take the activation away. The lanes are dealt out in turn.
  set(state ${MZ_HARNESS_STATE})
  set(fixtures mz_wine)
  if(A_ALONE)
    get_property(alone GLOBAL PROPERTY MZ_WINE_ALONE_COUNT)
    if(NOT alone)
      set(alone 0)
    endif()
    math(EXPR lane "${alone} % ${MZ_WINE_LANES} + 1")
    math(EXPR alone "${alone} + 1")
    set_property(GLOBAL PROPERTY MZ_WINE_ALONE_COUNT ${alone})
    set(state ${MZ_HARNESS_STATE}/lane${lane})
    list(APPEND fixtures mz_wine_lane${lane})
  endif()
  add_test(NAME ${name} COMMAND ${MZ_HARNESS_DIR}/wine-run.sh ${state} $<TARGET_FILE:${name}>.so)
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 900)  # CI machines have two cores
  endif()
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED "${fixtures}" LABELS "wine;${A_LABELS}"
                       TIMEOUT ${A_TIMEOUT}
                       ENVIRONMENT "MZ_SOURCE_DIR=${CMAKE_SOURCE_DIR};MZ_BINARY_DIR=${CMAKE_BINARY_DIR};${MZ_FIREBIRD_LOCK}/${name}")
  if(A_ALONE)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK mz_wine_lane${lane})
  endif()
endfunction()

function(mz_native_test name)
  if(NOT MZ_FLAVOUR STREQUAL "native")
    return()
  endif()
  mz_parse_args(A ${ARGN})
  add_executable(${name} ${A_SOURCES})
  mz_common(${name})
  mz_test_uses_base(${name} mz_native_test_base "${MZ_SANITIZE_NATIVE};${MZ_OPT_TEST}")
  target_link_options(${name} PRIVATE ${MZ_SANITIZE_NATIVE})
  target_link_libraries(${name} PRIVATE ${A_DEPS} GTest::gtest_main GTest::gmock)
  add_test(NAME ${name} COMMAND ${name})
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 900)  # CI machines have two cores
  endif()
  set_tests_properties(${name} PROPERTIES LABELS "native;${A_LABELS}" TIMEOUT ${A_TIMEOUT}
                       ENVIRONMENT "MZ_SOURCE_DIR=${CMAKE_SOURCE_DIR};${MZ_FIREBIRD_LOCK}/${name};ASAN_OPTIONS=detect_leaks=1;UBSAN_OPTIONS=print_stacktrace=1")
endfunction()

# A libFuzzer target; the test command runs it for SECONDS (default 10) from its seed folder.
function(mz_fuzz name)
  if(NOT MZ_FLAVOUR STREQUAL "fuzz")
    return()
  endif()
  mz_parse_args(A ${ARGN})
  add_executable(${name} ${A_SOURCES})
  mz_common(${name})
  target_compile_options(${name} PRIVATE ${MZ_SANITIZE_FUZZ} ${MZ_OPT_SANITIZED})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE ${A_DEPS})
  if(NOT A_SECONDS)
    set(A_SECONDS 10)
  endif()
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
  file(MAKE_DIRECTORY ${corpus})
  set(seeds "")
  if(A_SEEDS)
    set(seeds ${CMAKE_CURRENT_SOURCE_DIR}/${A_SEEDS})
  endif()
  add_test(NAME ${name}
           COMMAND ${name} -max_total_time=${A_SECONDS} -rss_limit_mb=2048 -timeout=10 ${corpus} ${seeds})
  set_tests_properties(${name} PROPERTIES LABELS "fuzz;${A_LABELS}" TIMEOUT 600)
endfunction()

function(mz_bench name)
  if(NOT MZ_FLAVOUR STREQUAL "native")
    return()
  endif()
  mz_parse_args(A ${ARGN})
  add_executable(${name} ${A_SOURCES})
  mz_common(${name})
  target_compile_options(${name} PRIVATE ${MZ_OPT})
  set(deps "")
  foreach(d ${A_DEPS})
    list(APPEND deps $<IF:$<TARGET_EXISTS:${d}_bench>,${d}_bench,${d}>)
  endforeach()
  target_link_libraries(${name} PRIVATE ${deps} benchmark::benchmark_main)
endfunction()

function(mz_wine_bench name)
  mz_parse_args(A ${ARGN})
  mz_program(${name} SOURCES ${A_SOURCES} DEPS ${A_DEPS} benchmark::benchmark_main)
endfunction()

# mz_install_step([LAST] COMMAND ... [DEPENDS targets...]): one more command of the mz_install target;
# LAST steps run after all the others (they may use the laid-out installation and its settings).
function(mz_install_step)
  cmake_parse_arguments(PARSE_ARGV 0 A "LAST" "" "COMMAND;DEPENDS")
  if(A_LAST)
    set_property(GLOBAL APPEND PROPERTY MZ_INSTALL_STEPS_LAST COMMAND ${A_COMMAND})
  else()
    set_property(GLOBAL APPEND PROPERTY MZ_INSTALL_STEPS COMMAND ${A_COMMAND})
  endif()
  set_property(GLOBAL APPEND PROPERTY MZ_INSTALL_DEPENDS ${A_DEPENDS})
endfunction()

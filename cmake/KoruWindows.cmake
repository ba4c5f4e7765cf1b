# KORU.exe, LUMETRIX.dll and the Windows tests: cross-built with mingw-w64 on
# Linux, or built on Windows with mingw-w64 (MSYS2) or MSVC.

enable_language(RC)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
# The C++ runtime is linked statically: KORU.exe needs nothing beside it.
if(MSVC)
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
  # The sources are UTF-8 without a byte-order mark.
  add_compile_options(/utf-8)
else()
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

# A program with wWinMain or wmain: mingw picks the wide entry point only with
# -municode, MSVC by itself.
function(koru_wide_entry_point target)
  if(MINGW)
    target_link_options(${target} PRIVATE -municode)
  endif()
endfunction()

# libjpeg comes from a prefix built by scripts/build-libjpeg.sh (CMAKE_PREFIX_PATH).
list(APPEND CMAKE_FIND_ROOT_PATH ${CMAKE_PREFIX_PATH})
find_package(JPEG REQUIRED)

koru_collect_core(KORU_CORE_SOURCES)
add_library(koru_core STATIC ${KORU_CORE_SOURCES})
target_include_directories(koru_core PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(koru_core PUBLIC JPEG::JPEG winmm ws2_32 shlwapi shell32 ole32 uuid comctl32 comdlg32 gdi32 user32 version kernel32)
koru_warnings(koru_core)

# The windows and dialogs with their resources, shared by the program and the
# Windows tests of ui/.
file(GLOB KORU_UI_SOURCES CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/ui/*.cpp")
file(GLOB KORU_UI_RESOURCES CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/ui/*.rc")
add_library(koru_ui STATIC ${KORU_UI_SOURCES})
target_link_libraries(koru_ui PUBLIC koru_core)
koru_warnings(koru_ui)
add_library(koru_ui_resources OBJECT ${KORU_UI_RESOURCES})
# The project's version, for the version block, the manifest and the program.
configure_file(${PROJECT_SOURCE_DIR}/ui/koru_version.h.in ${CMAKE_BINARY_DIR}/generated/koru_version.h @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/ui/koru.manifest.in ${CMAKE_BINARY_DIR}/generated/koru.manifest @ONLY)
target_include_directories(koru_ui PUBLIC ${CMAKE_BINARY_DIR}/generated)
target_include_directories(koru_ui_resources PRIVATE ${CMAKE_BINARY_DIR}/generated)
# The resource compiler reports no dependencies: name the generated files.
set_source_files_properties(${PROJECT_SOURCE_DIR}/ui/koru.rc ${PROJECT_SOURCE_DIR}/lumetrix/lumetrix.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_BINARY_DIR}/generated/koru_version.h;${CMAKE_BINARY_DIR}/generated/koru.manifest")

# The program.
list(TRANSFORM KORU_PROGRAM_SOURCES PREPEND "${PROJECT_SOURCE_DIR}/")
add_executable(KORU WIN32 ${KORU_PROGRAM_SOURCES})
target_link_libraries(KORU PRIVATE koru_ui koru_ui_resources)
koru_wide_entry_point(KORU)
koru_warnings(KORU)

# The shell helper library. Its exports are named by the .def file only, so
# that the 32-bit build exports "CreateShortcut", not "CreateShortcut@12".
file(GLOB LUMETRIX_SOURCES CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/lumetrix/*.cpp")
add_library(LUMETRIX SHARED ${LUMETRIX_SOURCES} ${PROJECT_SOURCE_DIR}/lumetrix/lumetrix.def)
set_target_properties(LUMETRIX PROPERTIES PREFIX "" OUTPUT_NAME LUMETRIX)
target_link_libraries(LUMETRIX PRIVATE koru_core version oleaut32 ole32 uuid kernel32)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  target_link_options(LUMETRIX PRIVATE -Wl,--enable-stdcall-fixup)
endif()
# Its version block carries the program's version.
target_sources(LUMETRIX PRIVATE ${PROJECT_SOURCE_DIR}/lumetrix/lumetrix.rc)
target_include_directories(LUMETRIX PRIVATE ${CMAKE_BINARY_DIR}/generated)
koru_warnings(LUMETRIX)
add_custom_command(TARGET LUMETRIX POST_BUILD
  COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DLIBRARY=$<TARGET_FILE:LUMETRIX>
          -DDEF_FILE=${PROJECT_SOURCE_DIR}/lumetrix/lumetrix.def -P ${PROJECT_SOURCE_DIR}/cmake/CheckExports.cmake
  VERBATIM)

# The Windows tests need GoogleTest: Debian's sources where they are (the
# cross builds on Linux), else an installed GoogleTest. Without either, or
# with -DKORU_TESTS=OFF, only the programs are built.
set(KORU_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources to build the Windows tests with")
set(koru_googletest_found OFF)
if(EXISTS "${KORU_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt")
  set(koru_googletest_found ON)
else()
  find_package(GTest QUIET)
  if(GTest_FOUND)
    set(koru_googletest_found ON)
  endif()
endif()
option(KORU_TESTS "Build the Windows tests and the end-to-end test tools (needs GoogleTest)" ${koru_googletest_found})
if(NOT KORU_TESTS)
  return()
endif()
if(NOT koru_googletest_found)
  message(FATAL_ERROR "KORU_TESTS needs GoogleTest: install it, or configure with -DKORU_TESTS=OFF")
endif()
if(EXISTS "${KORU_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt")
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${KORU_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(KORU_GTEST gtest)
  set(KORU_GTEST_MAIN gtest_main)
else()
  set(KORU_GTEST GTest::gtest)
  set(KORU_GTEST_MAIN GTest::gtest_main)
endif()

# Doubles of the outside libraries, for this architecture (and, in the x86_64
# configuration, for i686 too). Their export checks run in the i686 one.
add_subdirectory(tests/doubles)

# Tests run only where Wine can run them (the x86_64 build on Linux).
option(KORU_RUN_WINDOWS_TESTS "Register the Windows tests with CTest" ON)

file(GLOB KORU_WINDOWS_TEST_SUPPORT CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/tests/windows/support/*.cpp")
if(KORU_WINDOWS_TEST_SUPPORT)
  add_library(koru_windows_test_support STATIC ${KORU_WINDOWS_TEST_SUPPORT})
  target_include_directories(koru_windows_test_support PUBLIC ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(koru_windows_test_support PUBLIC koru_core ${KORU_GTEST})
  target_compile_definitions(koru_windows_test_support PUBLIC
    KORU_EXE_UNIX_PATH="$<TARGET_FILE:KORU>"
    KORU_TEST_DATA_UNIX_DIR="${PROJECT_SOURCE_DIR}/tests/data"
    KORU_DOUBLES_UNIX_DIR="${CMAKE_BINARY_DIR}/doubles"
    KORU_FIXTURES_UNIX_DIR="${KORU_ARCHIVE_FIXTURES}")
endif()

# The Wine harness: one prefix, display, sound server and wineserver for the
# whole test run, started and stopped by CTest fixtures.
set(KORU_HARNESS ${PROJECT_SOURCE_DIR}/scripts/wine-harness.sh)
set(KORU_HARNESS_DIR ${CMAKE_BINARY_DIR}/harness)
if(KORU_RUN_WINDOWS_TESTS)
  add_test(NAME harness_start COMMAND ${KORU_HARNESS} start ${KORU_HARNESS_DIR})
  add_test(NAME harness_stop COMMAND ${KORU_HARNESS} stop ${KORU_HARNESS_DIR})
  set_tests_properties(harness_start PROPERTIES FIXTURES_SETUP wine)
  set_tests_properties(harness_stop PROPERTIES FIXTURES_CLEANUP wine)
endif()

# Stand-in COM server libraries with known versions, for LUMETRIX's tests.
set(KORU_TEST_DOUBLES)
function(koru_test_double name version registers)
  add_library(${name} SHARED ${PROJECT_SOURCE_DIR}/tests/windows/doubles/com_server.cpp
                             ${PROJECT_SOURCE_DIR}/tests/windows/doubles/version.rc)
  set_target_properties(${name} PROPERTIES PREFIX "")
  target_compile_definitions(${name} PRIVATE "KORU_DOUBLE_VERSION=${version}" KORU_DOUBLE_REGISTERS=${registers})
  set(KORU_TEST_DOUBLES ${KORU_TEST_DOUBLES} ${name} PARENT_SCOPE)
endfunction()
koru_test_double(double_registers "1,2,3,4" 1)
koru_test_double(double_plain "1,2,3,5" 0)
koru_test_double(double_high "32768,0,0,1" 0)
koru_test_double(double_low "32767,65535,65535,65535" 0)

file(GLOB KORU_WINDOWS_TESTS CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/tests/windows/*_test.cpp")
foreach(test_source IN LISTS KORU_WINDOWS_TESTS)
  get_filename_component(test_name ${test_source} NAME_WE)
  add_executable(${test_name} ${test_source})
  target_link_libraries(${test_name} PRIVATE koru_ui koru_ui_resources ${KORU_GTEST} ${KORU_GTEST_MAIN})
  if(TARGET koru_windows_test_support)
    target_link_libraries(${test_name} PRIVATE koru_windows_test_support)
  endif()
  target_include_directories(${test_name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  add_dependencies(${test_name} KORU LUMETRIX archiver_test_zips ${KORU_TEST_DOUBLES})
  koru_warnings(${test_name})
  if(KORU_RUN_WINDOWS_TESTS)
    add_test(NAME ${test_name}
      COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh ${KORU_HARNESS_DIR} $<TARGET_FILE:${test_name}>)
    set_tests_properties(${test_name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300)
  endif()
endforeach()

# A folder holding Unix symbolic links to itself and to its parent, made from
# Linux before the folder-walk test: Wine 8 cannot make links itself.
set(KORU_LINK_LOOP_DIR ${CMAKE_BINARY_DIR}/link-loop)
target_compile_definitions(add_path_walk_test PRIVATE KORU_LINK_LOOP_UNIX_DIR="${KORU_LINK_LOOP_DIR}")
if(KORU_RUN_WINDOWS_TESTS)
  add_test(NAME link_loop_setup COMMAND sh -c
    "rm -rf '${KORU_LINK_LOOP_DIR}' && mkdir -p '${KORU_LINK_LOOP_DIR}/sub' && echo MThd > '${KORU_LINK_LOOP_DIR}/a.mid' && echo MThd > '${KORU_LINK_LOOP_DIR}/sub/b.mid' && ln -s . '${KORU_LINK_LOOP_DIR}/self' && ln -s .. '${KORU_LINK_LOOP_DIR}/sub/up'")
  set_tests_properties(link_loop_setup PROPERTIES FIXTURES_SETUP link_loop)
  set_tests_properties(add_path_walk_test PROPERTIES FIXTURES_REQUIRED "wine;link_loop")
endif()

# Tools the end-to-end tests run under Wine to watch KORU from outside.
file(GLOB KORU_E2E_TOOLS CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/tests/e2e/tools/*.cpp")
foreach(tool_source IN LISTS KORU_E2E_TOOLS)
  get_filename_component(tool_name ${tool_source} NAME_WE)
  add_executable(${tool_name} ${tool_source})
  koru_wide_entry_point(${tool_name})
  target_link_libraries(${tool_name} PRIVATE user32 shell32 kernel32)
endforeach()

# Timed tools of the Windows bindings (bench/*_win32.cpp), run under Wine by
# the scripts beside them.
file(GLOB KORU_WINDOWS_BENCHES CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/bench/*_win32.cpp")
foreach(bench_source IN LISTS KORU_WINDOWS_BENCHES)
  get_filename_component(bench_name ${bench_source} NAME_WE)
  add_executable(${bench_name} ${bench_source})
  koru_wide_entry_point(${bench_name})
  target_include_directories(${bench_name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${bench_name} PRIVATE koru_core)
  koru_warnings(${bench_name})
endforeach()

# The downloads scripts/package.sh made, checked without running them.
file(GLOB KORU_RELEASE_TESTS CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/tests/release/test_*.py")
if(KORU_RUN_WINDOWS_TESTS)
  foreach(test_script IN LISTS KORU_RELEASE_TESTS)
    get_filename_component(test_name ${test_script} NAME_WE)
    add_test(NAME release_${test_name} COMMAND python3 ${test_script})
    set_tests_properties(release_${test_name} PROPERTIES TIMEOUT 300 ENVIRONMENT "KORU_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  endforeach()
endif()

file(GLOB KORU_E2E_TESTS CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/tests/e2e/test_*.py")
if(KORU_RUN_WINDOWS_TESTS)
  foreach(test_script IN LISTS KORU_E2E_TESTS)
    get_filename_component(test_name ${test_script} NAME_WE)
    add_test(NAME e2e_${test_name} COMMAND python3 ${test_script})
    set_tests_properties(e2e_${test_name} PROPERTIES
      FIXTURES_REQUIRED wine TIMEOUT 600
      ENVIRONMENT "KORU_HARNESS_DIR=${KORU_HARNESS_DIR};KORU_BUILD_DIR=${CMAKE_BINARY_DIR};KORU_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  endforeach()
endif()

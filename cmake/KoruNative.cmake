# The portable core on Linux, with its unit tests, fuzz targets and benchmarks.

option(KORU_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" ON)
if(KORU_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# The image panel's JPEG decoder is portable: Debian's libjpeg here.
find_package(JPEG REQUIRED)

koru_collect_core(KORU_CORE_SOURCES)
add_library(koru_core STATIC ${KORU_CORE_SOURCES})
target_include_directories(koru_core PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(koru_core PUBLIC JPEG::JPEG)
koru_warnings(koru_core)
# A portable file that includes <windows.h> must not build here.
target_compile_definitions(koru_core PUBLIC KORU_NATIVE=1)

find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB KORU_NATIVE_TESTS CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/tests/native/*.cpp")
add_executable(koru_native_tests ${KORU_NATIVE_TESTS})
target_link_libraries(koru_native_tests PRIVATE koru_core GTest::gtest GTest::gmock GTest::gtest_main)
target_include_directories(koru_native_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
koru_warnings(koru_native_tests)
gtest_discover_tests(koru_native_tests DISCOVERY_TIMEOUT 60
  PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1;UBSAN_OPTIONS=print_stacktrace=1")

if(EXISTS "${PROJECT_SOURCE_DIR}/fuzz/CMakeLists.txt")
  add_subdirectory(fuzz)
endif()
if(EXISTS "${PROJECT_SOURCE_DIR}/bench/CMakeLists.txt")
  add_subdirectory(bench)
endif()

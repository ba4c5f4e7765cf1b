# Which source files make up the core, by the project's naming rule: inside a
# subsystem folder, a file that includes <windows.h> ends in "_win32"; a file
# that needs POSIX ends in "_posix". ui/ and lumetrix/ are Windows throughout,
# apart from ui/layout, the portable window-layout arithmetic, which the core
# holds. The entry point and the application object, which builds the windows,
# belong to the program, not the core.

set(KORU_CORE_DIRS platform startup playback medialist settings archive convert desktop ui/layout)
set(KORU_PROGRAM_SOURCES startup/main_win32.cpp startup/application_win32.cpp)

function(koru_collect_core out_var)
  set(files)
  foreach(dir IN LISTS KORU_CORE_DIRS)
    file(GLOB dir_files CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${dir}/*.cpp")
    list(APPEND files ${dir_files})
  endforeach()
  list(FILTER files EXCLUDE REGEX "/startup/(main|application)_win32\\.cpp$")
  if(WIN32)
    list(FILTER files EXCLUDE REGEX "_posix\\.cpp$")
  else()
    list(FILTER files EXCLUDE REGEX "_win32\\.cpp$")
  endif()
  set(${out_var} ${files} PARENT_SCOPE)
endfunction()

function(koru_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wno-missing-field-initializers)
  endif()
endfunction()

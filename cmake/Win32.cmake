# Windows build (MinGW-w64 cross or native): the Win32 half, qov.exe, its
# tools and package, and the tests that run against the real USER32 and
# COMCTL32 (under Wine on Linux).
enable_language(RC)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                        _WIN32_WINNT=0x0A00 WINVER=0x0A00 _WIN32_IE=0x0A00)
add_link_options(-static -static-libgcc -static-libstdc++)

file(GLOB_RECURSE QOV_WIN32_SOURCES CONFIGURE_DEPENDS src/win32/*.cpp)
add_library(qov_win32 STATIC ${QOV_WIN32_SOURCES})
target_link_libraries(qov_win32 PUBLIC qov_core user32 gdi32 comctl32 advapi32 shell32 uxtheme dwmapi shcore)
# The core calls TitleContains, which the Win32 half supplies.
target_link_libraries(qov_core PUBLIC qov_win32)

# The project's one version number, for the version resources of both
# programs and for qovc --version: the text and its three parts.
set(QOV_VERSION_DEFINITIONS QOV_VERSION="${PROJECT_VERSION}"
    QOV_VERSION_MAJOR=${PROJECT_VERSION_MAJOR} QOV_VERSION_MINOR=${PROJECT_VERSION_MINOR}
    QOV_VERSION_PATCH=${PROJECT_VERSION_PATCH})

add_executable(qov WIN32 src/app/main.cpp src/app/qov.rc)
target_compile_definitions(qov PRIVATE ${QOV_VERSION_DEFINITIONS})
target_link_libraries(qov PRIVATE qov_win32 qov_core ole32)
target_link_options(qov PRIVATE -municode)
target_include_directories(qov PRIVATE src src/app)
# windres reports no dependencies: rebuild the resources when the files they embed change.
set_source_files_properties(src/app/qov.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/src/app/qov.manifest;${CMAKE_SOURCE_DIR}/src/app/qov.ico;${CMAKE_SOURCE_DIR}/src/core/command_ids.h;${CMAKE_SOURCE_DIR}/src/app/version_text.h")
if(MSVC)
  # The manifest is a resource of its own already; a second, from the
  # linker, would collide with it.
  target_link_options(qov PRIVATE /MANIFEST:NO)
endif()

# The help page and its pictures, in the "help" folder beside the program as
# the packages install them, so F1 also finds them in the build folder.
set(QOV_HELP_PAGE ${CMAKE_SOURCE_DIR}/docs/qov-help.html)
file(GLOB QOV_HELP_PICTURES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/*.png)
set(QOV_HELP_COPIES)
foreach(source ${QOV_HELP_PAGE} ${QOV_HELP_PICTURES})
  get_filename_component(name ${source} NAME)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/help/${name}
                     COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source} ${CMAKE_BINARY_DIR}/help/${name}
                     DEPENDS ${source} VERBATIM)
  list(APPEND QOV_HELP_COPIES ${CMAKE_BINARY_DIR}/help/${name})
endforeach()
add_custom_target(qov_help ALL DEPENDS ${QOV_HELP_COPIES})
add_dependencies(qov qov_help)

# The console companion: the same core and window system, its own entry.
add_executable(qovc src/app/qovc.cpp src/app/qovc.rc)
target_link_libraries(qovc PRIVATE qov_win32 qov_core)
target_link_options(qovc PRIVATE -municode)
target_compile_definitions(qovc PRIVATE ${QOV_VERSION_DEFINITIONS})
target_include_directories(qovc PRIVATE src src/app)
set_source_files_properties(src/app/qovc.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/src/app/qovc.manifest;${CMAKE_SOURCE_DIR}/src/app/version_text.h")
if(MSVC)
  target_link_options(qovc PRIVATE /MANIFEST:NO)
endif()

add_subdirectory(tools)
include(cmake/Package.cmake)

# The tests run the Windows programs under Wine, from Linux. A build on
# Windows itself makes the program, its tools and its package.
if(CMAKE_HOST_WIN32)
  return()
endif()

# GoogleTest built for Windows from the Debian sources.
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Runs a Windows test program under Wine in the build's own prefix and
# virtual desktop; the wrapper turns the program's result file into the exit code.
set(QOV_WINE_TEST ${CMAKE_SOURCE_DIR}/scripts/wine-test.sh)
function(qov_add_wine_test name target)
  add_test(NAME ${name}
           COMMAND ${QOV_WINE_TEST} ${CMAKE_BINARY_DIR} $<TARGET_FILE:${target}> ${ARGN})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600 RESOURCE_LOCK wine)
endfunction()

# A Windows test program that drives one of the shipped programs from outside;
# it finds the program's path in its environment variable `variable`.
function(qov_add_program_test name target source program variable)
  add_executable(${target} ${source} ${CMAKE_SOURCE_DIR}/tests/win32/test_support.cpp)
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${target} PRIVATE gtest ${ARGN})
  add_dependencies(${target} ${program})
  qov_add_wine_test(${name} ${target})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${variable}=Z:$<TARGET_FILE:${program}>")
endfunction()

file(GLOB QOV_WIN32_TEST_SOURCES CONFIGURE_DEPENDS tests/win32/*.cpp)
add_executable(qov_win32_tests ${QOV_WIN32_TEST_SOURCES})
target_link_libraries(qov_win32_tests PRIVATE qov_win32 qov_core gtest)
target_include_directories(qov_win32_tests PRIVATE tests)
qov_add_wine_test(win32 qov_win32_tests)

add_subdirectory(tests/e2e)
add_subdirectory(tests/package)
add_subdirectory(bench/wine)

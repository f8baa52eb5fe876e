# The lean native build: src/core (no <windows.h>, built everywhere) and
# src/win32 (the Windows half). Selected with -DQOV_LEAN=ON while the new
# shape replaces the old one.
file(GLOB QOV_CORE_SOURCES CONFIGURE_DEPENDS src/core/*.cpp)
if(NOT QOV_CORE_SOURCES)
  set(QOV_CORE_SOURCES ${QOV_EMPTY_SOURCE})
endif()
add_library(qov_core STATIC ${QOV_CORE_SOURCES})
target_include_directories(qov_core PUBLIC src)

if(NOT WIN32)
  find_package(GTest REQUIRED)
  include(GoogleTest)
  file(GLOB QOV_FAKE_SOURCES CONFIGURE_DEPENDS tests/fakes/*.cpp)
  if(NOT QOV_FAKE_SOURCES)
    set(QOV_FAKE_SOURCES ${QOV_EMPTY_SOURCE})
  endif()
  add_library(qov_fakes STATIC ${QOV_FAKE_SOURCES})
  target_include_directories(qov_fakes PUBLIC tests)
  target_link_libraries(qov_fakes PUBLIC qov_core)
  # The core calls TitleContains, which the platform supplies: here the fakes.
  target_link_libraries(qov_core PUBLIC qov_fakes)

  file(GLOB QOV_UNIT_TEST_SOURCES CONFIGURE_DEPENDS tests/lean/unit/*.cpp)
  if(QOV_UNIT_TEST_SOURCES)
    add_executable(qov_unit_tests ${QOV_UNIT_TEST_SOURCES})
    target_link_libraries(qov_unit_tests PRIVATE qov_fakes qov_core GTest::gtest GTest::gtest_main)
    if(QOV_SANITIZE)
      foreach(t qov_core qov_fakes qov_unit_tests)
        target_compile_options(${t} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer)
      endforeach()
      target_link_options(qov_unit_tests PRIVATE -fsanitize=address,undefined)
    endif()
    gtest_discover_tests(qov_unit_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 60)
  endif()
  if(EXISTS ${CMAKE_SOURCE_DIR}/bench/lean/CMakeLists.txt)
    add_subdirectory(bench/lean)
  endif()
  return()
endif()

# Windows (MinGW-w64 cross build, tests under Wine).
enable_language(RC)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                        _WIN32_WINNT=0x0A00 WINVER=0x0A00 _WIN32_IE=0x0A00)
add_link_options(-static -static-libgcc -static-libstdc++)
set(QOV_WIN32_LIBS user32 gdi32 comctl32 advapi32 shell32 uxtheme dwmapi)

file(GLOB_RECURSE QOV_WIN32_SOURCES CONFIGURE_DEPENDS src/win32/*.cpp)
add_library(qov_win32 STATIC ${QOV_WIN32_SOURCES})
target_link_libraries(qov_win32 PUBLIC qov_core ${QOV_WIN32_LIBS})
# The core calls TitleContains, which the Win32 half supplies.
target_link_libraries(qov_core PUBLIC qov_win32)

set(QOV_APP_DIR ${CMAKE_SOURCE_DIR}/src/app_lean)
if(EXISTS ${QOV_APP_DIR}/main.cpp)
  add_executable(qov WIN32 ${QOV_APP_DIR}/main.cpp ${QOV_APP_DIR}/qov.rc)
  target_link_libraries(qov PRIVATE qov_win32 qov_core)
  target_link_options(qov PRIVATE -municode)
  target_include_directories(qov PRIVATE src src/app)
  set_source_files_properties(${QOV_APP_DIR}/qov.rc PROPERTIES
    OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/src/app/qov.manifest;${CMAKE_SOURCE_DIR}/src/app/qov.ico;${CMAKE_SOURCE_DIR}/src/core/command_ids.h")
endif()

if(CMAKE_HOST_WIN32)
  return()
endif()

set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Runs a Windows test program under Wine in the build's own prefix and
# virtual desktop; the wrapper turns the program's result file into the exit code.
set(QOV_WINE_TEST ${CMAKE_SOURCE_DIR}/scripts/wine-test.sh)
function(qov_add_wine_test name target)
  add_test(NAME ${name}
           COMMAND ${QOV_WINE_TEST} ${CMAKE_BINARY_DIR} $<TARGET_FILE:${target}> ${ARGN})
  set_tests_properties(${name} PROPERTIES TIMEOUT 900 RESOURCE_LOCK wine)
endfunction()

file(GLOB QOV_WIN32_TEST_SOURCES CONFIGURE_DEPENDS tests/lean/win32/*.cpp)
if(QOV_WIN32_TEST_SOURCES)
  add_executable(qov_win32_tests ${QOV_WIN32_TEST_SOURCES})
  target_link_libraries(qov_win32_tests PRIVATE qov_win32 qov_core gtest)
  target_include_directories(qov_win32_tests PRIVATE tests)
  qov_add_wine_test(win32 qov_win32_tests)
endif()

if(EXISTS ${CMAKE_SOURCE_DIR}/tests/lean/e2e/CMakeLists.txt)
  add_subdirectory(tests/lean/e2e)
endif()

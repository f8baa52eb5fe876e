# Native Linux build: the portable logic on the simulated platform.
find_package(GTest REQUIRED)

file(GLOB_RECURSE QOV_SIM_SOURCES CONFIGURE_DEPENDS src/platform/sim/*.cpp)
add_library(qov_sim STATIC ${QOV_SIM_SOURCES})
target_link_libraries(qov_sim PUBLIC qov_core)

file(GLOB QOV_UNIT_TEST_SOURCES CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(qov_unit_tests ${QOV_UNIT_TEST_SOURCES})
target_link_libraries(qov_unit_tests PRIVATE qov_sim qov_core GTest::gtest GTest::gtest_main)
target_include_directories(qov_unit_tests PRIVATE tests)
if(QOV_SANITIZE)
  foreach(t qov_core qov_sim qov_unit_tests)
    target_compile_options(${t} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer)
  endforeach()
  target_link_options(qov_unit_tests PRIVATE -fsanitize=address,undefined)
endif()
include(GoogleTest)
gtest_discover_tests(qov_unit_tests DISCOVERY_TIMEOUT 60)

if(EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
  add_subdirectory(bench)
endif()

# Native Linux build: the core's unit tests against the fakes, and the
# refresh benchmark.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB QOV_FAKE_SOURCES CONFIGURE_DEPENDS tests/fakes/*.cpp)
add_library(qov_fakes STATIC ${QOV_FAKE_SOURCES})
target_include_directories(qov_fakes PUBLIC tests)
target_link_libraries(qov_fakes PUBLIC qov_core)
# The core calls TitleContains, which the platform supplies: here the fakes.
target_link_libraries(qov_core PUBLIC qov_fakes)

file(GLOB QOV_UNIT_TEST_SOURCES CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(qov_unit_tests ${QOV_UNIT_TEST_SOURCES})
target_link_libraries(qov_unit_tests PRIVATE qov_fakes qov_core GTest::gtest GTest::gtest_main)
if(QOV_SANITIZE)
  foreach(t qov_core qov_fakes qov_unit_tests)
    target_compile_options(${t} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer)
  endforeach()
  target_link_options(qov_unit_tests PRIVATE -fsanitize=address,undefined)
endif()
gtest_discover_tests(qov_unit_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 60)

add_subdirectory(bench)

# Native build: module as a static library, linked into host, tools, tests.
find_package(GTest REQUIRED)
include(GoogleTest)

add_library(tavrel_module STATIC ${TAVREL_MODULE_SOURCES})
target_include_directories(tavrel_module PUBLIC ${CMAKE_SOURCE_DIR})

set(TAVREL_HOST_SOURCES
  host/host.cpp
  host/instance.cpp
  host/key_events.cpp
  host/mouse.cpp
  host/needle_map.cpp
  host/variables.cpp)

add_library(tavrel_host STATIC ${TAVREL_HOST_SOURCES} host/binding_native.cpp)
target_link_libraries(tavrel_host PUBLIC tavrel_module)
target_compile_definitions(tavrel_host PRIVATE TAVREL_ART_DIR="${CMAKE_BINARY_DIR}/art")

file(GLOB_RECURSE TAVREL_NATIVE_TESTS CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/tests/host/*_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/module/*_test.cpp
  ${CMAKE_SOURCE_DIR}/gauges/*_test.cpp)
add_executable(tavrel_tests ${TAVREL_NATIVE_TESTS})
target_link_libraries(tavrel_tests PRIVATE tavrel_host GTest::gtest GTest::gtest_main)
gtest_discover_tests(tavrel_tests DISCOVERY_TIMEOUT 60)

# Native build: the module as a static library, linked into the host, the
# tools and the tests.
add_library(tavrel_module STATIC ${TAVREL_MODULE_SOURCES})
target_include_directories(tavrel_module PUBLIC ${CMAKE_SOURCE_DIR})
# The stand-in's WAVE resource out of the box: the click the art program wrote.
target_compile_definitions(tavrel_module PRIVATE TAVREL_ART_DIR="${TAVREL_ART_DIR}")

add_subdirectory(host)
add_subdirectory(tools)
add_subdirectory(tests)
add_subdirectory(bench)
if(TAVREL_FUZZ)
  add_subdirectory(fuzz)
endif()

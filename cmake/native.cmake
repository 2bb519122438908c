# Native build: the module as a static library, linked into the host, the
# tools, the tests and the art program (which reads the gauges' records to
# place dial marks). The art comes before the host: the host's native
# binding reads the bitmaps the art program wrote.
add_library(tavrel_gauge_data STATIC ${TAVREL_GAUGE_DATA_SOURCES})
target_include_directories(tavrel_gauge_data PUBLIC ${CMAKE_SOURCE_DIR})

add_library(tavrel_module STATIC ${TAVREL_MODULE_SOURCES})
target_include_directories(tavrel_module PUBLIC ${CMAKE_SOURCE_DIR})

add_subdirectory(resources)
# The sound stand-in's WAVE resource out of the box: the click the art
# program wrote (resources/ names the folder).
target_compile_definitions(tavrel_module PRIVATE TAVREL_ART_DIR="${TAVREL_ART_DIR}")
add_subdirectory(host)
add_subdirectory(tools)
add_subdirectory(tests)
add_subdirectory(bench)
if(TAVREL_FUZZ)
  add_subdirectory(fuzz)
endif()

# Native build: the module as a static library, linked into the host, the
# tools, the tests and the art program (which reads the gauges' records to
# place dial marks). The art comes before the host: the host's native
# binding reads the bitmaps the art program wrote.
add_library(tavrel_gauge_data STATIC ${TAVREL_GAUGE_DATA_SOURCES})
target_include_directories(tavrel_gauge_data PUBLIC ${CMAKE_SOURCE_DIR})

add_library(tavrel_module STATIC ${TAVREL_MODULE_SOURCES})
target_include_directories(tavrel_module PUBLIC ${CMAKE_SOURCE_DIR})

add_subdirectory(resources)
add_subdirectory(host)
add_subdirectory(tools)
add_subdirectory(tests)
add_subdirectory(bench)
if(TAVREL_FUZZ)
  add_subdirectory(fuzz)
endif()

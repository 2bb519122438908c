# Win32 build: the real .gau, and the host, tools and tests that load it.
set(TAVREL_ART_DIR "${CMAKE_SOURCE_DIR}/build/native/art" CACHE PATH
    "Art written by the native build (bitmaps, click sound, bitmaps.rc)")

# SSE arithmetic, as in the native build, so both draw the same pixels.
add_compile_options(-msse2 -mfpmath=sse)

add_library(tavrel_gauge_data STATIC ${TAVREL_GAUGE_DATA_SOURCES})
target_include_directories(tavrel_gauge_data PUBLIC ${CMAKE_SOURCE_DIR})

add_library(Tavrel_Instr SHARED ${TAVREL_MODULE_SOURCES} resources/Tavrel_Instr.rc)
set_target_properties(Tavrel_Instr PROPERTIES PREFIX "" SUFFIX ".gau" OUTPUT_NAME Tavrel_Instr)
target_include_directories(Tavrel_Instr PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(Tavrel_Instr PRIVATE -static-libgcc -static-libstdc++ -static -s)
target_link_libraries(Tavrel_Instr PRIVATE winmm dsound)
set_source_files_properties(resources/Tavrel_Instr.rc PROPERTIES
  OBJECT_DEPENDS "${TAVREL_ART_DIR}/bitmaps.rc;${CMAKE_SOURCE_DIR}/resources/version.h")
target_include_directories(Tavrel_Instr PRIVATE ${TAVREL_ART_DIR})

# Running this build's programs under Wine (CTest's emulator).
include(cmake/wine.cmake)

add_subdirectory(host)
add_subdirectory(tools)
add_subdirectory(tests)

# Writes the release, DIST_DIR/Tavrel_Instr-VERSION.zip, from the two builds:
#
#   cmake -DNATIVE_DIR=build/native -DMODULE=.../Tavrel_Instr.gau \
#         -DGAUGEVIEW=.../gaugeview.exe -DDIST_DIR=build/dist -P release/make-zip.cmake
#
# The win32 build runs it as its target tavrel_release.
#
# Gauges\Tavrel_Instr.gau     the module
# Panel\                      the sample panel (release/Panel)
# Preview\gaugeview.exe       the previewer, with fonts\ (its faces and their
#                             licences) and preview.bat
# README.txt, Manual.html     written by the native build's gaugedoc
# Text files a Windows user opens get CR LF line ends.
cmake_minimum_required(VERSION 3.20)
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/version.cmake)
set(source ${CMAKE_CURRENT_LIST_DIR}/..)
foreach(var NATIVE_DIR MODULE GAUGEVIEW DIST_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "make-zip: ${var} is not given")
  endif()
  get_filename_component(${var} ${${var}} ABSOLUTE)
endforeach()

set(stage ${DIST_DIR}/Tavrel_Instr-${TAVREL_VERSION})
set(zip ${DIST_DIR}/Tavrel_Instr-${TAVREL_VERSION}.zip)
file(REMOVE_RECURSE ${stage})
file(REMOVE ${zip})
file(MAKE_DIRECTORY ${stage}/Gauges ${stage}/Panel ${stage}/Preview/fonts)

function(need file)
  if(NOT EXISTS ${file})
    message(FATAL_ERROR "make-zip: ${file} is missing; build both configurations first")
  endif()
endfunction()

# Copies a text file with CR LF line ends.
function(copy_text from to)
  need(${from})
  file(READ ${from} text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${to} "${text}")
endfunction()

function(copy_file from to_folder)
  need(${from})
  file(COPY ${from} DESTINATION ${to_folder})
endfunction()

copy_file(${MODULE} ${stage}/Gauges)
copy_file(${GAUGEVIEW} ${stage}/Preview)
copy_text(${source}/release/preview.bat ${stage}/Preview/preview.bat)
copy_file(${NATIVE_DIR}/release/README.txt ${stage})
copy_file(${NATIVE_DIR}/release/Manual.html ${stage})

# The sample panel: its configuration (CR LF) and the backgrounds the art
# program drew.
file(GLOB panel_bitmaps ${NATIVE_DIR}/art/panel/*.bmp)
foreach(bitmap IN LISTS panel_bitmaps)
  copy_file(${bitmap} ${stage}/Panel)
endforeach()
copy_text(${source}/release/Panel/panel.cfg ${stage}/Panel/panel.cfg)

# The faces gaugeview draws with (host/fonts.cpp names the files), and the
# licence of each family as its Debian package states it.
set(fonts
  /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
  /usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf
  /usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf
  /usr/share/fonts/truetype/dseg/DSEG14Classic-Regular.ttf
  /usr/share/fonts/truetype/dseg/DSEG14Classic-Bold.ttf)
foreach(font IN LISTS fonts)
  copy_file(${font} ${stage}/Preview/fonts)
endforeach()
copy_text(/usr/share/doc/fonts-dejavu-core/copyright ${stage}/Preview/fonts/DejaVu-licence.txt)
copy_text(/usr/share/doc/fonts-liberation2/copyright ${stage}/Preview/fonts/Liberation-licence.txt)
copy_text(/usr/share/doc/fonts-dseg/copyright ${stage}/Preview/fonts/DSEG-licence.txt)

# The same bytes from the same files: a fixed time on every entry.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip "--mtime=2000-01-01 00:00:00" --
          Gauges Panel Preview README.txt Manual.html
  WORKING_DIRECTORY ${stage}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "make-zip: cannot write ${zip}")
endif()
message(STATUS "make-zip: wrote ${zip}")

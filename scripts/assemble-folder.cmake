# Assembles the program folder DEST beside the freshly built program: the shipped data
# files, sounds and pictures written by the generator into SHIP, the help file from SRC,
# the five private fonts, and an empty users folder.
#
# Everything but the manual is copied only where it is missing, so a rebuild never
# overwrites a player's scores, settings, saved games, sound choices or replaced files.
#
#   cmake -DSRC=<source tree> -DDEST=<program folder> -DSHIP=<generated content>
#         [-DFONT_DIR=<folder of the open fonts>] -P assemble-folder.cmake

foreach(var SRC DEST SHIP)
  if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "")
    message(FATAL_ERROR "assemble-folder: ${var} is not given")
  endif()
endforeach()
if(NOT IS_DIRECTORY "${SHIP}")
  message(FATAL_ERROR "assemble-folder: the generated content ${SHIP} does not exist; build korbo_shipped first")
endif()
if(NOT DEFINED FONT_DIR)
  set(FONT_DIR /usr/share/fonts/truetype/dejavu)
endif()

function(ship_if_missing from to)
  if(EXISTS "${to}")
    return()
  endif()
  if(NOT EXISTS "${from}")
    message(FATAL_ERROR "assemble-folder: ${from} is missing")
  endif()
  get_filename_component(dir "${to}" DIRECTORY)
  file(MAKE_DIRECTORY "${dir}")
  file(COPY_FILE "${from}" "${to}" RESULT failed)
  if(failed)
    message(FATAL_ERROR "assemble-folder: cannot copy ${from} to ${to}: ${failed}")
  endif()
endfunction()

file(MAKE_DIRECTORY "${DEST}/users")

file(GLOB_RECURSE shipped RELATIVE "${SHIP}" "${SHIP}/*")
foreach(rel IN LISTS shipped)
  ship_if_missing("${SHIP}/${rel}" "${DEST}/${rel}")
endforeach()

# The manual is the program's own, never the player's: each build brings the current one.
file(COPY_FILE "${SRC}/resources/KD_Help.html" "${DEST}/KD_Help.html" ONLY_IF_DIFFERENT RESULT failed)
if(failed)
  message(FATAL_ERROR "assemble-folder: cannot copy the manual to ${DEST}: ${failed}")
endif()

# The private fonts are open fonts (fonts-dejavu-core) under the names the game loads.
set(font_names Valmbrook.ttf Korbo2.ttf Korbo3.ttf Korbo4.ttf Korbo1.ttf)
set(font_files DejaVuSerif-Bold.ttf DejaVuSans.ttf DejaVuSansMono-Bold.ttf DejaVuSerif.ttf DejaVuSans-Bold.ttf)
foreach(name file IN ZIP_LISTS font_names font_files)
  if(NOT EXISTS "${DEST}/${name}" AND NOT EXISTS "${FONT_DIR}/${file}")
    message(FATAL_ERROR "assemble-folder: ${FONT_DIR}/${file} is missing (package fonts-dejavu-core)")
  endif()
  ship_if_missing("${FONT_DIR}/${file}" "${DEST}/${name}")
endforeach()

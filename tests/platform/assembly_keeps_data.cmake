# Assembles a program folder, changes what a player would change, assembles again and
# checks that nothing of the player's was overwritten while missing files came back.
#   cmake -DSRC=... -DSHIP=... -DWORK=<scratch folder> -P assembly_keeps_data.cmake

set(dest "${WORK}/korbo")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

function(assemble)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -DSRC=${SRC} -DDEST=${dest} -DSHIP=${SHIP} -P ${SRC}/scripts/assemble-folder.cmake
    RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "the assembly failed: ${err}")
  endif()
endfunction()

function(expect_content path expected what)
  file(READ "${path}" got HEX)
  if(NOT got STREQUAL expected)
    message(FATAL_ERROR "${what}: ${path} does not hold what it should")
  endif()
endfunction()

assemble()
set(expected score.ran snack.ade wav.ran KD_Help.html Sounds/intro.wav Sounds/loser.wav Sounds/turnover.wav
    Avatars/Korbo.jpg backgrounds/tile_wood.jpg
    Valmbrook.ttf Korbo1.ttf Korbo2.ttf Korbo3.ttf Korbo4.ttf)
foreach(rel IN LISTS expected)
  if(NOT EXISTS "${dest}/${rel}")
    message(FATAL_ERROR "the first assembly left out ${rel}")
  endif()
endforeach()
if(NOT IS_DIRECTORY "${dest}/users")
  message(FATAL_ERROR "the first assembly made no users folder")
endif()
file(READ "${SHIP}/score.ran" shipped_score HEX)
expect_content("${dest}/score.ran" "${shipped_score}" "the first assembly")

# What a player does between builds: play (scores, settings), choose sounds, add a
# player file, replace a font, and lose a sound file.
file(WRITE "${dest}/score.ran" "scores of a player who has played")
file(WRITE "${dest}/wav.ran" "a custom sound column")
file(WRITE "${dest}/users/Anna.sav" "Anna's statistics")
file(WRITE "${dest}/games.sav" "a saved game")
file(WRITE "${dest}/Korbo2.ttf" "a font of the player's own")
file(REMOVE "${dest}/Sounds/intro.wav")
file(WRITE "${dest}/KD_Help.html" "the manual of an older build")
foreach(f score.ran wav.ran users/Anna.sav games.sav Korbo2.ttf)
  string(MAKE_C_IDENTIFIER "${f}" id)
  file(READ "${dest}/${f}" kept_${id} HEX)
endforeach()

assemble()
foreach(f score.ran wav.ran users/Anna.sav games.sav Korbo2.ttf)
  string(MAKE_C_IDENTIFIER "${f}" id)
  expect_content("${dest}/${f}" "${kept_${id}}" "the second assembly overwrote a player's file")
endforeach()
if(NOT EXISTS "${dest}/Sounds/intro.wav")
  message(FATAL_ERROR "the second assembly did not bring back a missing sound")
endif()
file(READ "${SHIP}/Sounds/intro.wav" shipped_intro HEX)
expect_content("${dest}/Sounds/intro.wav" "${shipped_intro}" "the restored sound")
file(READ "${SRC}/resources/KD_Help.html" current_manual HEX)
expect_content("${dest}/KD_Help.html" "${current_manual}" "the manual of the new build")
file(REMOVE_RECURSE "${WORK}")

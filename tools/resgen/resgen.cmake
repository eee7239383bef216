# The resource generator and what it writes at build time: the ten clips, embedded into
# korbo_ui through a generated resource list, and the shipped content of a new program
# folder in KORBO_SHIP_DIR, which the folder assembly copies where it is missing.
# Included from the top CMakeLists after korbo_ui and korbo exist.

add_executable(korbo_resgen
  ${CMAKE_SOURCE_DIR}/tools/resgen/main.cpp
  ${CMAKE_SOURCE_DIR}/tools/resgen/synth.cpp
  ${CMAKE_SOURCE_DIR}/tools/resgen/sounds.cpp
  ${CMAKE_SOURCE_DIR}/tools/resgen/data_files.cpp
  ${CMAKE_SOURCE_DIR}/tools/resgen/pictures.cpp
  ${CMAKE_SOURCE_DIR}/tools/resgen/persona.cpp)
target_include_directories(korbo_resgen PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(korbo_resgen PRIVATE Qt6::Gui)

set(KORBO_CLIP_DIR ${CMAKE_BINARY_DIR}/generated/clips)
set(KORBO_CLIP_IDS 105 109 110 112 116 117 118 119 121 122)
set(korbo_clip_files)
foreach(id IN LISTS KORBO_CLIP_IDS)
  list(APPEND korbo_clip_files ${KORBO_CLIP_DIR}/${id}.wav)
endforeach()
add_custom_command(
  OUTPUT ${korbo_clip_files} ${KORBO_CLIP_DIR}/korbo_clips.qrc
  COMMAND korbo_resgen clips ${KORBO_CLIP_DIR}
  DEPENDS korbo_resgen
  COMMENT "Synthesising the sound clips"
  VERBATIM)
add_custom_command(
  OUTPUT ${KORBO_CLIP_DIR}/qrc_korbo_clips.cpp
  COMMAND Qt6::rcc --name korbo_clips --no-compress --output ${KORBO_CLIP_DIR}/qrc_korbo_clips.cpp
          ${KORBO_CLIP_DIR}/korbo_clips.qrc
  DEPENDS ${KORBO_CLIP_DIR}/korbo_clips.qrc ${korbo_clip_files}
  COMMENT "Embedding the sound clips"
  VERBATIM)
set_source_files_properties(${KORBO_CLIP_DIR}/qrc_korbo_clips.cpp PROPERTIES SKIP_AUTOGEN ON GENERATED ON)
target_sources(korbo_ui PRIVATE ${KORBO_CLIP_DIR}/qrc_korbo_clips.cpp)

set(KORBO_SHIP_DIR ${CMAKE_BINARY_DIR}/shipped)
set(korbo_event_sounds wildcard turnover win1 win2 win3 win4 lose1 lose2 lose3 lose4
    whining thanks yeah winner playwild intro loser)
set(korbo_ship_files ${KORBO_SHIP_DIR}/score.ran ${KORBO_SHIP_DIR}/snack.ade ${KORBO_SHIP_DIR}/wav.ran
    ${KORBO_SHIP_DIR}/Avatars/Korbo.jpg ${KORBO_SHIP_DIR}/backgrounds/tile_wood.jpg
    ${KORBO_SHIP_DIR}/backgrounds/tile_felt.jpg ${KORBO_SHIP_DIR}/backgrounds/dusk.jpg
    ${KORBO_SHIP_DIR}/backgrounds/stars.bmp)
foreach(s IN LISTS korbo_event_sounds)
  list(APPEND korbo_ship_files ${KORBO_SHIP_DIR}/Sounds/${s}.wav)
endforeach()
# The second persona (users/Mabel.pms, its sounds, avatar and seven pictures) and the
# custom comment set users/Pirate.cmt.
set(korbo_persona_sounds wildcard turnover win1 win2 win3 win4 lose1 lose2 lose3 lose4
    whining thanks yeah winner playwild)
list(APPEND korbo_ship_files ${KORBO_SHIP_DIR}/users/Mabel.pms ${KORBO_SHIP_DIR}/users/Pirate.cmt
     ${KORBO_SHIP_DIR}/Avatars/Mabel.jpg)
foreach(s IN LISTS korbo_persona_sounds)
  list(APPEND korbo_ship_files ${KORBO_SHIP_DIR}/Sounds/mabel_${s}.wav)
endforeach()
foreach(n RANGE 1 7)
  list(APPEND korbo_ship_files ${KORBO_SHIP_DIR}/users/Mabel${n}.jpg)
endforeach()
add_custom_command(
  OUTPUT ${korbo_ship_files}
  COMMAND korbo_resgen data ${KORBO_SHIP_DIR}
  DEPENDS korbo_resgen
  COMMENT "Writing the shipped data files, sounds and pictures"
  VERBATIM)
add_custom_target(korbo_shipped DEPENDS ${korbo_ship_files})
add_dependencies(korbo korbo_shipped)

# A rebuild must never overwrite a player's files: assemble twice over a changed folder.
add_test(NAME platform_assembly_keeps_data
  COMMAND ${CMAKE_COMMAND} -DSRC=${CMAKE_SOURCE_DIR} -DSHIP=${KORBO_SHIP_DIR}
          -DWORK=${CMAKE_BINARY_DIR}/assembly_test
          -P ${CMAKE_SOURCE_DIR}/tests/platform/assembly_keeps_data.cmake)
set_tests_properties(platform_assembly_keeps_data PROPERTIES LABELS ui)

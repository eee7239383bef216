# The core's header check refuses every form of a Qt include anywhere in the core, and every
# include that reaches src/game from src/records or src/net; a clean core goes through.
#   cmake -DSCRIPT=<check-core-headers.cmake> -DWORK=<scratch folder> -P qt_headers_refused.cmake
file(REMOVE_RECURSE ${WORK})
set(clean "#include <queue>\n#include <string>\n// #include <QString> in a comment\n// #include \"game/game.h\" in a comment\n")
set(clean_game "${clean}#include \"game/quick.h\"\n#include \"records/file.h\"\n#include \"net/wire.h\"\n")
set(clean_below "${clean}#include \"records/file.h\"\n#include \"endgame/x.h\"\n")

function(run_check root out_rc out_err)
  execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${root} -P ${SCRIPT}
                  RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_QUIET)
  set(${out_rc} ${rc} PARENT_SCOPE)
  set(${out_err} "${err}" PARENT_SCOPE)
endfunction()

# A clean core: the game includes the game, the records and the network; those two include
# only themselves and the standard library.
function(write_clean root)
  file(WRITE ${root}/src/game/table.cpp "${clean_game}")
  file(WRITE ${root}/src/records/file.h "${clean_below}")
  file(WRITE ${root}/src/net/wire.h "${clean_below}")
endfunction()

set(root ${WORK}/clean)
write_clean(${root})
run_check(${root} rc err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "a clean core was refused: ${err}")
endif()

# Each case: the folder the bad file lies in, the line, and the words of the refusal.
set(qt_forms "#include <QString>" "  #  include <QtCore/QObject>" "#include \"QDebug\"" "#include <qglobal.h>")
set(game_forms "#include \"game/game.h\"" "#include <game/ports.h>" "  #  include \"../game/types.h\""
               "#include \"../../src/game/table_state.h\"" "#include \"records/../game/game.h\"")
set(cases "")
set(dirs game records net)
set(i 0)
foreach(form IN LISTS qt_forms)
  math(EXPR d "${i} % 3")
  list(GET dirs ${d} dir)
  list(APPEND cases "${dir}|${form}|must not include Qt headers")
  math(EXPR i "${i} + 1")
endforeach()
foreach(dir records net)
  foreach(form IN LISTS game_forms)
    list(APPEND cases "${dir}|${form}|src/records and src/net must not include anything from src/game")
  endforeach()
endforeach()

set(i 0)
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" parts "${case}")
  list(GET parts 0 dir)
  list(GET parts 1 form)
  list(GET parts 2 words)
  set(root ${WORK}/case${i})
  write_clean(${root})
  file(WRITE ${root}/src/${dir}/bad.h "${clean}${form}\n")
  run_check(${root} rc err)
  if(rc EQUAL 0)
    message(FATAL_ERROR "not refused: ${form} in src/${dir}")
  endif()
  if(NOT err MATCHES "${words}" OR NOT err MATCHES "src/${dir}/bad.h")
    message(FATAL_ERROR "unclear refusal of ${form} in src/${dir}: ${err}")
  endif()
  math(EXPR i "${i} + 1")
endforeach()
message(STATUS "every Qt include form and every include of src/game below it was refused")

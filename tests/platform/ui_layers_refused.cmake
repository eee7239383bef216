# The layer check refuses every include of a folder above the including one, in every form,
# and lets a clean tree through.
#   cmake -DSCRIPT=<check-ui-layers.cmake> -DWORK=<scratch folder> -P ui_layers_refused.cmake
file(REMOVE_RECURSE ${WORK})
set(clean "#include <QWidget>\n// #include \"app/program.h\" in a comment\n")

function(run_check root out_rc out_err)
  execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${root} -P ${SCRIPT}
                  RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_QUIET)
  set(${out_rc} ${rc} PARENT_SCOPE)
  set(${out_err} "${err}" PARENT_SCOPE)
endfunction()

# A clean tree: each folder includes itself and every folder below it.
function(write_clean root)
  file(WRITE ${root}/src/app/main.cpp "${clean}#include \"app/program.h\"\n#include \"display/frmKorbo.h\"\n#include \"dialogs/frmAbout.h\"\n#include \"controls/table_window.h\"\n#include \"platform/winsock.h\"\n#include \"game/game.h\"\n")
  file(WRITE ${root}/src/display/table.cpp "${clean}#include \"dialogs/frmSave.h\"\n#include \"controls/scale_controls.h\"\n#include \"platform/fonts.h\"\n")
  file(WRITE ${root}/src/dialogs/dialog.cpp "${clean}#include \"controls/table_controls.h\"\n#include \"platform/help_viewer.h\"\n#include \"records/record_file.h\"\n")
  file(WRITE ${root}/src/controls/control.h "${clean}#include \"platform/fonts.h\"\n#include \"game/colours.h\"\n")
  file(WRITE ${root}/src/platform/socket.h "${clean}#include \"platform/winsock.h\"\n")
  file(WRITE ${root}/src/game/table.h "#include \"records/score_rec.h\"\n#include \"net/protocol.h\"\n#include \"gamedisplay/x.h\"\n#include \"net/replay.h\"\n")
endfunction()

set(root ${WORK}/clean)
write_clean(${root})
run_check(${root} rc err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "a clean tree was refused: ${err}")
endif()

# Each case: the folder the bad file lies in and the include that reaches above it.
set(cases
  "display|#include \"app/frmSplash.h\""
  "dialogs|#include \"display/table_window.h\""
  "dialogs|  #  include <app/web_page.h>"
  "dialogs|#include \"../display/frmKorbo.h\""
  "controls|#include \"dialogs/frmChat.h\""
  "controls|#include \"../../src/display/frmKorbo.h\""
  "platform|#include \"controls/table_controls.h\""
  "game|#include \"platform/winsock.h\""
  "records|#include \"dialogs/frmSave.h\""
  "net|#include \"controls/chat_window_port.h\"")
set(i 0)
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" parts "${case}")
  list(GET parts 0 dir)
  list(GET parts 1 form)
  set(root ${WORK}/case${i})
  write_clean(${root})
  file(WRITE ${root}/src/${dir}/bad.h "${clean}${form}\n")
  run_check(${root} rc err)
  if(rc EQUAL 0)
    message(FATAL_ERROR "not refused: ${form} in src/${dir}")
  endif()
  if(NOT err MATCHES "must not include a folder above it" OR NOT err MATCHES "src/${dir}/bad.h")
    message(FATAL_ERROR "unclear refusal of ${form} in src/${dir}: ${err}")
  endif()
  math(EXPR i "${i} + 1")
endforeach()
message(STATUS "every include of a folder above the including one was refused")

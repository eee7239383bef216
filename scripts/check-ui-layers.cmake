# The Qt side goes one way, top to bottom: src/app (start-up; builds the table), then
# src/display (the table window), then src/dialogs (the windows the table opens), then
# src/controls (the control layer every window shares), then src/platform, then the core
# (src/game, src/records, src/net). A file may include its own folder and the folders below
# it, never one above. Run as a script (cmake -DROOT=<source folder> -P check-ui-layers.cmake)
# or included with KORBO_CHECK_ROOT set; an include that breaks the order stops with an error
# that names the file and the line.
if(NOT DEFINED ROOT)
  set(ROOT ${KORBO_CHECK_ROOT})
endif()
# Each folder and the folders above it, which it must not include.
set(_above_app "")
set(_above_display "app")
set(_above_dialogs "app|display")
set(_above_controls "app|display|dialogs")
set(_above_platform "app|display|dialogs|controls")
set(_above_game "app|display|dialogs|controls|platform")
set(_above_records "${_above_game}")
set(_above_net "${_above_game}")
set(_upward "")
foreach(_dir display dialogs controls platform game records net)
  file(GLOB_RECURSE _files ${ROOT}/src/${_dir}/*.cpp ${ROOT}/src/${_dir}/*.h)
  # "display/...", <display/...>, "../display/...", "../../src/display/...".
  set(_bad "^[ \t]*#[ \t]*include[ \t]*[<\"]([^\">]*/)?(${_above_${_dir}})/")
  foreach(_f IN LISTS _files)
    file(STRINGS "${_f}" _lines REGEX "${_bad}")
    if(_lines)
      string(APPEND _upward "\n  ${_f}: ${_lines}")
    endif()
  endforeach()
endforeach()
if(_upward)
  message(FATAL_ERROR "A folder must not include a folder above it "
                      "(app, display, dialogs, controls, platform, core):${_upward}\n")
endif()

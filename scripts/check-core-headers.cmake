# The core (src/game, src/records, src/net) is pure C++: no file of it may include a Qt
# header. Inside the core the direction is one way: src/records and src/net include nothing
# from src/game. Run as a script (cmake -DROOT=<source folder> -P check-core-headers.cmake)
# or included with KORBO_CHECK_ROOT set; either way an include that breaks a rule stops with
# an error that names the file and the line.
if(NOT DEFINED ROOT)
  set(ROOT ${KORBO_CHECK_ROOT})
endif()
file(GLOB_RECURSE _core_files
     ${ROOT}/src/game/*.cpp ${ROOT}/src/game/*.h
     ${ROOT}/src/records/*.cpp ${ROOT}/src/records/*.h
     ${ROOT}/src/net/*.cpp ${ROOT}/src/net/*.h)
file(GLOB_RECURSE _below_game_files
     ${ROOT}/src/records/*.cpp ${ROOT}/src/records/*.h
     ${ROOT}/src/net/*.cpp ${ROOT}/src/net/*.h)
# <QString>, <QtCore/...>, "QDebug" and the lower-case forms such as <qglobal.h>.
set(_qt_include "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]|qt|q[a-z0-9_]*\\.h)")
# Every path that reaches the game folder: "game/...", <game/...>, "../game/...",
# "../../src/game/...", "records/../game/...".
set(_game_include "^[ \t]*#[ \t]*include[ \t]*[<\"]([^\">]*/)?game/")
set(_found "")
foreach(_f IN LISTS _core_files)
  file(STRINGS "${_f}" _lines REGEX "${_qt_include}")
  if(_lines)
    string(APPEND _found "\n  ${_f}: ${_lines}")
  endif()
endforeach()
set(_upward "")
foreach(_f IN LISTS _below_game_files)
  file(STRINGS "${_f}" _lines REGEX "${_game_include}")
  if(_lines)
    string(APPEND _upward "\n  ${_f}: ${_lines}")
  endif()
endforeach()
if(_found OR _upward)
  set(_why "")
  if(_found)
    string(APPEND _why "The core must not include Qt headers:${_found}\n")
  endif()
  if(_upward)
    string(APPEND _why "src/records and src/net must not include anything from src/game:${_upward}\n")
  endif()
  message(FATAL_ERROR "${_why}")
endif()

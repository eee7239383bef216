# The core (src/game, src/records, src/net) is pure C++: no file of it may include a Qt
# header. Run as a script (cmake -DROOT=<source folder> -P check-core-headers.cmake) or
# included with KORBO_CHECK_ROOT set; either way a Qt include stops with an error that
# names the file and the line.
if(NOT DEFINED ROOT)
  set(ROOT ${KORBO_CHECK_ROOT})
endif()
file(GLOB_RECURSE _core_files
     ${ROOT}/src/game/*.cpp ${ROOT}/src/game/*.h
     ${ROOT}/src/records/*.cpp ${ROOT}/src/records/*.h
     ${ROOT}/src/net/*.cpp ${ROOT}/src/net/*.h)
# <QString>, <QtCore/...>, "QDebug" and the lower-case forms such as <qglobal.h>.
set(_qt_include "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]|qt|q[a-z0-9_]*\\.h)")
set(_found "")
foreach(_f IN LISTS _core_files)
  file(STRINGS "${_f}" _lines REGEX "${_qt_include}")
  if(_lines)
    string(APPEND _found "\n  ${_f}: ${_lines}")
  endif()
endforeach()
if(_found)
  message(FATAL_ERROR "The core must not include Qt headers:${_found}")
endif()

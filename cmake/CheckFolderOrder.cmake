# Fails when a source file includes a header of a folder that comes after its
# own in this order (each builds on those before it):
#   platform  core  link  employees  reports/framework  reports/events  app
# So platform/ includes only platform/, core/ nothing of a subsystem or of the
# shell, and no subsystem the shell's windows in app/.
# Run as: cmake -DSOURCE_DIR=<repository> -P CheckFolderOrder.cmake
set(order platform core link employees reports/framework reports/events app)

function(rank_of path result)
  set(found -1)
  set(index 0)
  foreach(folder IN LISTS order)
    if(path MATCHES "^${folder}/")
      set(found ${index})
    endif()
    math(EXPR index "${index} + 1")
  endforeach()
  set(${result} ${found} PARENT_SCOPE)
endfunction()

set(violations "")
foreach(folder IN LISTS order)
  file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(source IN LISTS sources)
    rank_of(${source} own)
    file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^#include \"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"([^\"]*)\".*" "\\1" header "${line}")
      rank_of(${header} used)
      if(used GREATER own)
        list(APPEND violations "${source} includes ${header}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "Includes against the order of the folders:\n  ${text}")
endif()

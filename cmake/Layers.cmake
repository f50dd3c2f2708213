# The layers as paths: the first folder of a file's path says what it may
# include. Checked at configure time over every source and header, so a
# violation fails before anything compiles.
#   core/     only core/, and no Qt Widgets or Print Support header
#   printer/  core/ and itself
#   ui/       never app/ or cli/
#   app/ cli/ included by nothing outside themselves
set(_layers core printer ui app cli)
set(_may_core core)
set(_may_printer core printer)
set(_may_ui core printer ui)
set(_may_app core printer ui app)
set(_may_cli core printer cli)

set(_files)
foreach(layer ${_layers})
  file(GLOB_RECURSE _found RELATIVE "${PROJECT_SOURCE_DIR}" CONFIGURE_DEPENDS
       "${PROJECT_SOURCE_DIR}/${layer}/*.h" "${PROJECT_SOURCE_DIR}/${layer}/*.cpp")
  list(APPEND _files ${_found})
endforeach()

# The folder of `path`, `depth` levels deep at most.
function(_zelvana_folder out path depth)
  get_filename_component(dir "${path}" DIRECTORY)
  string(REPLACE "/" ";" parts "${dir}")
  list(LENGTH parts n)
  if(n GREATER depth)
    list(SUBLIST parts 0 ${depth} parts)
  endif()
  list(JOIN parts "/" joined)
  set(${out} "${joined}" PARENT_SCOPE)
endfunction()

set(ZELVANA_INCLUDE_EDGES)
foreach(file ${_files})
  string(REGEX MATCH "^[^/]+" layer "${file}")
  file(STRINGS "${PROJECT_SOURCE_DIR}/${file}" lines REGEX "^#include [\"<]")
  foreach(line ${lines})
    if(line MATCHES "^#include <(QtWidgets|QtPrintSupport)/" AND layer STREQUAL "core")
      message(FATAL_ERROR "${file}: the core includes the Qt header ${line}")
    endif()
    if(NOT line MATCHES "^#include \"([^\"]+)\"")
      continue()
    endif()
    set(inc "${CMAKE_MATCH_1}")
    if(NOT EXISTS "${PROJECT_SOURCE_DIR}/${inc}")
      if(inc MATCHES "\\.moc$")
        continue()
      endif()
      message(FATAL_ERROR "${file}: includes \"${inc}\", which is no path from the project's top folder")
    endif()
    string(REGEX MATCH "^[^/]+" target "${inc}")
    if(NOT target IN_LIST _may_${layer})
      message(FATAL_ERROR "${file}: the ${layer} layer may not include ${inc}")
    endif()
    list(APPEND ZELVANA_INCLUDE_EDGES "${file}>${inc}")
  endforeach()
endforeach()

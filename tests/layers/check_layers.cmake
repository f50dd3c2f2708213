# The layer check over a copy of the tree: the tree as it is passes, and each
# fault put into it alone fails with its own message.
#   cmake -DSOURCE=<top folder> -DWORK=<scratch folder> -P check_layers.cmake
cmake_minimum_required(VERSION 3.25)

function(check_tree expect what)
  execute_process(COMMAND ${CMAKE_COMMAND} -DPROJECT_SOURCE_DIR=${WORK}/tree -P ${SOURCE}/cmake/Layers.cmake
                  RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
  string(REGEX REPLACE "[ \n]+" " " err "${err}") # CMake wraps its messages
  if(expect STREQUAL "")
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "The tree as it is fails the check: ${err}")
    endif()
  elseif(rc EQUAL 0 OR NOT err MATCHES "${expect}")
    message(FATAL_ERROR "${what}: expected a failure matching \"${expect}\", got (${rc}) ${err}")
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/tree)
foreach(layer core printer ui app cli)
  file(COPY ${SOURCE}/${layer} DESTINATION ${WORK}/tree)
endforeach()
check_tree("" "as it is")

# file | the line put after its first line | what the check must say
set(faults
  "core/forms/slips/SlipForms.h|#include \"ui/frame/AppState.h\"|the core layer may not include"
  "core/print/Layout.h|#include <QtWidgets/QWidget>|the core includes the Qt header"
  "printer/SplitPdf.h|#include \"ui/frame/AppState.h\"|the printer layer may not include"
  "ui/frame/AppState.h|#include \"app/TForm1.h\"|the ui layer may not include"
  "core/base/Cp1250.h|#include \"cli/BatchCommand.h\"|the core layer may not include"
  "ui/widgets/Controls.h|#include \"ui/frame/AppState.h\"|the controls may not include"
  "ui/frame/Pictures.h|#include \"ui/slips/TApoukazka.h\"|the frame under the windows may not include"
  "ui/printing/Tzarovnanie.h|#include \"ui/document/DocumentWindow.h\"|between folders .2 deep. go in a circle"
  "core/forms/slips/SlipForms.h|#include \"core/forms/Forms.h\"|between folders .3 deep. go in a circle"
  "core/print/Placement.h|#include \"core/print/PrintCanvas.h\"|between files go in a circle"
  "ui/slips/SlipWindow.h|#include \"slips/SlipForms.h\"|no path from the project's top folder")
foreach(fault ${faults})
  string(REPLACE "|" ";" parts "${fault}")
  list(GET parts 0 file)
  list(GET parts 1 line)
  list(GET parts 2 expect)
  file(READ ${WORK}/tree/${file} original)
  string(FIND "${original}" "\n" first)
  string(SUBSTRING "${original}" 0 ${first} head)
  string(SUBSTRING "${original}" ${first} -1 rest)
  file(WRITE ${WORK}/tree/${file} "${head}\n${line}${rest}")
  check_tree("${expect}" "${file} with ${line}")
  file(WRITE ${WORK}/tree/${file} "${original}")
endforeach()

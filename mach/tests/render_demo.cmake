# Runs the demo program, renders its zemka.ps with ghostscript and checks that both pages
# render and carry the colours drawn. The PNG pages stay in DIR for a person to look at.
#   PROGRAM the demo   DIR working directory   GS ghostscript   PPMCHECK the pixel counter
if(NOT GS)
  message(FATAL_ERROR "ghostscript (gs) was not found when the build was configured")
endif()
file(REMOVE_RECURSE "${DIR}")
file(MAKE_DIRECTORY "${DIR}")

execute_process(COMMAND "${PROGRAM}" WORKING_DIRECTORY "${DIR}"
  RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT err STREQUAL "")
  message(FATAL_ERROR "demo failed with status ${rc}:\n${err}")
endif()

foreach(device ppmraw png16m)
  if(device STREQUAL "ppmraw")
    set(out page%d.ppm)
  else()
    set(out demo-page%d.png)
  endif()
  execute_process(COMMAND "${GS}" -q -dSAFER -dBATCH -dNOPAUSE -r72 -sDEVICE=${device}
    -sOutputFile=${out} zemka.ps
    WORKING_DIRECTORY "${DIR}" RESULT_VARIABLE rc OUTPUT_VARIABLE gsout ERROR_VARIABLE gserr)
  if(NOT rc EQUAL 0 OR NOT "${gsout}${gserr}" STREQUAL "")
    message(FATAL_ERROR "ghostscript (${device}) failed with status ${rc}:\n${gsout}${gserr}")
  endif()
endforeach()

if(NOT EXISTS "${DIR}/page2.ppm" OR EXISTS "${DIR}/page3.ppm")
  message(FATAL_ERROR "zemka.ps should have exactly two pages")
endif()

# Page 1: black text and axes, red curve, blue markers, green hexagon, orange hatching, grey
# dashes. Page 2: the ten colours of inigks as filled boxes.
set(page1 0,0,0,300 255,0,0,1000 0,0,255,100 0,255,0,1000 255,128,0,100 128,128,128,50)
set(page2 255,0,0,2000 0,255,0,2000 0,0,255,2000 255,128,0,2000 255,0,128,2000
  128,255,0,2000 0,255,128,2000 128,0,255,2000 0,128,255,2000 128,128,128,2000)
foreach(page 1 2)
  execute_process(COMMAND "${PPMCHECK}" page${page}.ppm ${page${page}}
    WORKING_DIRECTORY "${DIR}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  message(STATUS "${out}${err}")
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "page ${page} lacks colours it should show")
  endif()
endforeach()

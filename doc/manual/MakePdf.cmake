# Runs groff on the manual: cmake -DGROFF= -DSOURCE= -DPICTURES= -DOUTPUT= -P MakePdf.cmake
# Any groff warning (a table wider than the page, an unknown character) fails
# the build, so layout faults are mended rather than shipped. The PDF is
# written beside its final name and renamed, so a failed run leaves none.
set(partial "${OUTPUT}.part")
# -U: PDFPIC asks pdfinfo for each picture's size.
execute_process(COMMAND ${GROFF} -ww -ms -t -Tpdf -U ${SOURCE}
  WORKING_DIRECTORY ${PICTURES}
  OUTPUT_FILE ${partial}
  ERROR_VARIABLE warnings
  RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
  file(REMOVE ${partial})
  message(FATAL_ERROR "groff failed on ${SOURCE} (status ${status}):\n${warnings}")
endif()
file(RENAME ${partial} ${OUTPUT})

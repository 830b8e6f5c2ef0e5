# Renders the manual page ${page} as plain UTF-8 text into ${text}, for readers without man: no
# escape sequences, no bold or underline by overstriking.
# Usage: cmake -DGROFF=<groff> -Dpage=<lossless.1> -Dtext=<lossless.txt> -P render_manual.cmake
execute_process(COMMAND ${GROFF} -man -Tutf8 -P -c -P -b -P -u ${page}
  OUTPUT_FILE ${text} RESULT_VARIABLE failed)
if(failed)
  file(REMOVE ${text})
  message(FATAL_ERROR "${GROFF} could not render ${page}")
endif()

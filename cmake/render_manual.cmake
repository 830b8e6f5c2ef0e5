# Renders the manual page ${page} into ${text} as plain ASCII with CR LF line ends, for Windows
# readers without man: Notepad and `type` show it right in any code page. No escape sequences, no
# bold or underline by overstriking.
# Usage: cmake -DGROFF=<groff> -Dpage=<lossless.1> -Dtext=<lossless.txt> -P render_manual.cmake
execute_process(
  COMMAND ${GROFF} -man -Tascii -P -c -P -b -P -u ${CMAKE_CURRENT_LIST_DIR}/ascii.tmac ${page}
  OUTPUT_VARIABLE rendered RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${GROFF} could not render ${page}")
endif()
string(REPLACE "\n" "\r\n" rendered "${rendered}")
file(WRITE ${text} "${rendered}")

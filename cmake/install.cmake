# What `cmake --install` puts where, and the packages that CPack builds from it. On Linux: the
# binary, the manual page, and the copyright file and changelog that Debian asks of every package
# (cpack -G DEB). On Windows: one folder to unzip anywhere (cpack -G ZIP).
include(GNUInstallDirs)

set(LOSSLESS_MAINTAINER "lossless maintainers <maintainers@lossless.example>" CACHE STRING
  "Name and address for the Maintainer field of the Debian package")

set(LOSSLESS_PAGE ${PROJECT_SOURCE_DIR}/build/wasm/lossless.html CACHE FILEPATH
  "The web page, as the wasm preset builds it: required in the Windows download, installed beside
the documentation on Linux when it has been built")

if(WIN32)

  # Windows has no man: the download carries the manual page rendered as plain text.
  find_program(GROFF groff)
  if(NOT GROFF)
    message(FATAL_ERROR "groff renders the manual for the Windows download; install groff-base")
  endif()
  add_custom_command(OUTPUT lossless.txt
    COMMAND ${CMAKE_COMMAND} -DGROFF=${GROFF} -Dpage=${PROJECT_SOURCE_DIR}/doc/lossless.1
      -Dtext=${PROJECT_BINARY_DIR}/lossless.txt -P ${PROJECT_SOURCE_DIR}/cmake/render_manual.cmake
    DEPENDS doc/lossless.1 cmake/render_manual.cmake cmake/ascii.tmac VERBATIM)
  add_custom_target(manual_text ALL DEPENDS lossless.txt)

  # The README for Windows users comes first; README.md, written for building on Debian, stays
  # beside it. Plain ASCII with CR LF line ends, as lossless.txt, so that Notepad and type show it.
  configure_file(packaging/windows/README.txt.in README.txt @ONLY NEWLINE_STYLE CRLF)

  # lossless.exe is linked statically, so it runs beside nothing but these documents.
  install(TARGETS lossless RUNTIME DESTINATION .)
  install(FILES LICENSE README.md CHANGELOG.md ${PROJECT_BINARY_DIR}/README.txt
    ${PROJECT_BINARY_DIR}/lossless.txt DESTINATION .)
  file(GLOB examples ${PROJECT_SOURCE_DIR}/examples/*.txt)
  install(FILES ${examples} DESTINATION examples)
  install(CODE "
    if(NOT EXISTS [[${LOSSLESS_PAGE}]])
      message(FATAL_ERROR [[The Windows download needs the page, ${LOSSLESS_PAGE}: build it first \
with cmake --preset wasm && cmake --build --preset wasm, or set LOSSLESS_PAGE.]])
    endif()")
  install(FILES ${LOSSLESS_PAGE} DESTINATION .)
else()
  install(TARGETS lossless RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

  # gzip -9n stores neither the name nor the time, so every build compresses to the same bytes.
  find_program(GZIP gzip REQUIRED)
  function(lossless_gzip source output)
    string(REGEX REPLACE "\\.gz$" "" plain ${output})
    add_custom_command(OUTPUT ${output}
      COMMAND ${CMAKE_COMMAND} -E copy ${source} ${plain}
      COMMAND ${GZIP} -9nf ${plain}
      DEPENDS ${source} VERBATIM)
  endfunction()
  lossless_gzip(${PROJECT_SOURCE_DIR}/doc/lossless.1 ${PROJECT_BINARY_DIR}/lossless.1.gz)
  lossless_gzip(${PROJECT_SOURCE_DIR}/packaging/debian/changelog ${PROJECT_BINARY_DIR}/changelog.gz)
  add_custom_target(compressed_docs ALL
    DEPENDS ${PROJECT_BINARY_DIR}/lossless.1.gz ${PROJECT_BINARY_DIR}/changelog.gz)
  install(FILES ${PROJECT_BINARY_DIR}/lossless.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

  # The machine-readable copyright file carries LICENSE's holder and text, indented as a field.
  file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
  string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)\n\n(.*[^\n])" _ "${license}")
  set(copyright "${CMAKE_MATCH_1}")
  string(REPLACE "\n\n" "\n.\n" license " ${CMAKE_MATCH_2}")
  string(REPLACE "\n" "\n " license "${license}")
  configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/copyright.in copyright @ONLY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
  install(FILES ${PROJECT_BINARY_DIR}/copyright ${PROJECT_BINARY_DIR}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DOCDIR})
  install(FILES ${LOSSLESS_PAGE} DESTINATION ${CMAKE_INSTALL_DOCDIR} OPTIONAL)
endif()

set(CPACK_PACKAGE_NAME lossless)
set(CPACK_PACKAGE_VENDOR "the lossless authors")
set(CPACK_PACKAGE_CONTACT "${LOSSLESS_MAINTAINER}")
# apt show prints the summary after the package name, and the rest on lines of at most 80.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "decide whether a relational decomposition has a lossless join")
set(CPACK_PACKAGE_DESCRIPTION [[
Given the relation schemes of a decomposition and a set of functional
dependencies, lossless runs the tableau chase, prints every step of it and
writes a result file that ends in the verdict. When the join is lossy, the
final tableau is a relation that shows the loss.

The verdict and the messages are in Hungarian: vesztesegmentes (lossless),
nem vesztesegmentes (not lossless).]])
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)

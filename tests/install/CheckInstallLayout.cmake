# Installs the build into a fresh prefix and checks what a file manager and
# the program need there.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE installed OUTPUT_QUIET)
if(NOT installed EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${installed}")
endif()

function(expect condition)
  if(NOT (${ARGV}))
    string(REPLACE ";" " " text "${ARGV}")
    message(SEND_ERROR "expected: ${text}")
  endif()
endfunction()

set(program "${PREFIX}/lib/lumetta")
expect(EXISTS "${program}/lumetta" AND NOT IS_DIRECTORY "${program}/lumetta")
expect(EXISTS "${program}/Lumetta.pbz")
expect(IS_DIRECTORY "${program}/music")
expect(IS_DIRECTORY "${program}/music/disabled")
file(GLOB music "${program}/music/*.mp3" "${program}/music/disabled/*")
list(LENGTH music songs)
expect(songs EQUAL 0)
expect(IS_SYMLINK "${PREFIX}/bin/lumetta")
file(REAL_PATH "${PREFIX}/bin/lumetta" linked)
file(REAL_PATH "${program}/lumetta" real)
expect("${linked}" STREQUAL "${real}")
expect(EXISTS "${PREFIX}/share/icons/hicolor/scalable/apps/lumetta.svg")

set(entry_file "${PREFIX}/share/applications/lumetta.desktop")
expect(EXISTS "${entry_file}")
file(READ "${entry_file}" entry)
foreach(line
    "Name=Lumetta slideshow"
    "Exec=\"${PREFIX}/lib/lumetta/lumetta\" %F"
    "MimeType=inode/directory;image/jpeg;image/bmp;")
  string(FIND "${entry}" "\n${line}\n" at)
  expect(NOT at EQUAL -1)
endforeach()
find_program(VALIDATE desktop-file-validate REQUIRED)
execute_process(COMMAND ${VALIDATE} "${entry_file}" RESULT_VARIABLE valid OUTPUT_VARIABLE report ERROR_VARIABLE report)
if(NOT valid EQUAL 0 OR NOT report STREQUAL "")
  message(SEND_ERROR "desktop-file-validate: ${report}")
endif()

# Installs the build into a fresh temporary prefix and runs the installed
# verosa-cli from outside the build folder: it must find its table files in
# share/verosa and print the checked report of a worked example, from the
# example itself and from a case file it saved.
#
#   cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DGUI=ON|OFF -P InstallTest.cmake

cmake_minimum_required(VERSION 3.25)
string(RANDOM LENGTH 10 ALPHABET abcdefghijklmnopqrstuvwxyz0123456789 tag)
if(DEFINED ENV{TMPDIR} AND IS_DIRECTORY "$ENV{TMPDIR}")
  set(temp "$ENV{TMPDIR}")
else()
  set(temp /tmp)
endif()
set(prefix "${temp}/verosa-install-${tag}")
set(elsewhere "${temp}/verosa-run-${tag}")
file(MAKE_DIRECTORY "${elsewhere}")
set(problems "")

execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}"
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  string(APPEND problems "cmake --install failed (${status}): ${err}\n")
endif()

set(expected
  bin/verosa-cli
  share/verosa/2001QORA.sqlite
  share/verosa/factor.sqlite
  share/verosa/guide/index.md
  share/verosa/guide/tables.md
  share/mime/packages/verosa-case.xml)
if(GUI)
  list(APPEND expected
    bin/verosa
    share/applications/verosa.desktop
    share/icons/hicolor/scalable/apps/verosa.svg)
endif()
foreach(file ${expected})
  if(NOT EXISTS "${prefix}/${file}")
    string(APPEND problems "not installed: ${file}\n")
  endif()
endforeach()
# The tables are not beside the installed programs: found in share/verosa.
foreach(table 2001QORA.sqlite factor.sqlite)
  if(EXISTS "${prefix}/bin/${table}")
    string(APPEND problems "a table file stands in bin: ${table}\n")
  endif()
endforeach()

# A worked example that reads the manual's tables, run where no build is.
set(golden "${SOURCE_DIR}/tests/golden/freeway/ex1")
file(STRINGS "${golden}/args" args ENCODING UTF-8)
file(READ "${golden}/stdout" report)
set(cli "${prefix}/bin/verosa-cli")
execute_process(COMMAND "${cli}" ${args} WORKING_DIRECTORY "${elsewhere}"
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT out STREQUAL report)
  string(APPEND problems "the installed verosa-cli ${args}: status ${status}, ${err}\n${out}\n")
endif()

# The same example saved as a case and run from it.
list(GET args 1 analysis)
list(SUBLIST args 2 -1 inputs)
execute_process(COMMAND "${cli}" save-case ${analysis} ${inputs} WORKING_DIRECTORY "${elsewhere}"
  RESULT_VARIABLE status OUTPUT_FILE "${elsewhere}/example.vcase" ERROR_VARIABLE err)
execute_process(COMMAND "${cli}" run ${analysis} --input example.vcase WORKING_DIRECTORY "${elsewhere}"
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT out STREQUAL report)
  string(APPEND problems "the installed verosa-cli from a saved case: status ${status}, ${err}\n")
endif()

# Where the MIME database was brought up to date, it knows the case files.
if(EXISTS "${prefix}/share/mime/globs2")
  file(READ "${prefix}/share/mime/globs2" globs)
  if(NOT globs MATCHES "application/x-verosa-case:\\*\\.vcase")
    string(APPEND problems "the MIME database does not know *.vcase\n")
  endif()
endif()

file(REMOVE_RECURSE "${prefix}" "${elsewhere}")
if(NOT problems STREQUAL "")
  message(FATAL_ERROR "${problems}")
endif()

# Runs one Fortran test program in a fresh directory and checks its outcome.
#   PROGRAM      the executable            ARGS        its arguments (;-list)
#   DIR          working directory, emptied first
#   SETUP        none | psdir (zemka.ps is a directory) | psfull (zemka.ps leads to /dev/full)
#   FAIL         true if the program must end with a non-zero status
#   STDERR_REGEX what standard error must match; without it, standard error must be empty
#   STDERR_LINES the number of lines standard error must have
#   STDOUT_NOT   text standard output must not contain
#   STDOUT_REGEX what standard output must match
#   PS_REGEX     what zemka.ps must match afterwards
#   PS_ABSENT    true if zemka.ps must not exist afterwards
file(REMOVE_RECURSE "${DIR}")
file(MAKE_DIRECTORY "${DIR}")
if(SETUP STREQUAL "psdir")
  file(MAKE_DIRECTORY "${DIR}/zemka.ps")
elseif(SETUP STREQUAL "psfull")
  file(CREATE_LINK /dev/full "${DIR}/zemka.ps" SYMBOLIC)
endif()

execute_process(COMMAND "${PROGRAM}" ${ARGS}
  WORKING_DIRECTORY "${DIR}"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
message(STATUS "exit status: ${rc}\nstdout:\n${out}\nstderr:\n${err}")

if(FAIL)
  if(rc EQUAL 0)
    message(FATAL_ERROR "the program should have failed but ended with status 0")
  endif()
elseif(NOT rc EQUAL 0)
  message(FATAL_ERROR "the program failed with status ${rc}")
endif()

if(DEFINED STDERR_REGEX)
  if(NOT err MATCHES "${STDERR_REGEX}")
    message(FATAL_ERROR "standard error does not match: ${STDERR_REGEX}")
  endif()
elseif(NOT err STREQUAL "")
  message(FATAL_ERROR "standard error should be empty")
endif()

if(DEFINED STDERR_LINES)
  string(REGEX MATCHALL "\n" newlines "${err}")
  list(LENGTH newlines lines)
  if(NOT lines EQUAL STDERR_LINES)
    message(FATAL_ERROR "standard error has ${lines} lines, not ${STDERR_LINES}")
  endif()
endif()

if(DEFINED STDOUT_NOT)
  string(FIND "${out}" "${STDOUT_NOT}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "standard output contains '${STDOUT_NOT}'")
  endif()
endif()

if(DEFINED STDOUT_REGEX AND NOT out MATCHES "${STDOUT_REGEX}")
  message(FATAL_ERROR "standard output does not match: ${STDOUT_REGEX}")
endif()

if(PS_ABSENT AND EXISTS "${DIR}/zemka.ps")
  message(FATAL_ERROR "zemka.ps should not exist")
endif()

if(DEFINED PS_REGEX)
  if(NOT EXISTS "${DIR}/zemka.ps")
    message(FATAL_ERROR "zemka.ps was not written")
  endif()
  file(READ "${DIR}/zemka.ps" ps)
  if(NOT ps MATCHES "${PS_REGEX}")
    message(FATAL_ERROR "zemka.ps does not match: ${PS_REGEX}")
  endif()
endif()

# Installs the mach component into a scratch prefix and links a Fortran program against it
# exactly as a user would: gfortran prog.f $(pkg-config --libs zemka-mach).
#   BUILD_DIR mach's build directory   PREFIX scratch prefix   LIBDIR relative library dir
#   SOURCE the Fortran program         FC gfortran             PKG_CONFIG pkg-config
foreach(tool FC PKG_CONFIG)
  if(NOT ${tool})
    message(FATAL_ERROR "${tool} was not found when the build was configured")
  endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --component zemka-mach
  --prefix "${PREFIX}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed")
endif()

set(ENV{PKG_CONFIG_PATH} "${PREFIX}/${LIBDIR}/pkgconfig")
execute_process(COMMAND "${PKG_CONFIG}" --libs zemka-mach
  RESULT_VARIABLE rc OUTPUT_VARIABLE libs ERROR_VARIABLE err OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "pkg-config does not know zemka-mach: ${err}")
endif()
message(STATUS "pkg-config --libs zemka-mach: ${libs}")
separate_arguments(libs UNIX_COMMAND "${libs}")

execute_process(COMMAND "${FC}" "${SOURCE}" ${libs} -o "${PREFIX}/linked"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "linking with the installed library failed:\n${out}${err}")
endif()
execute_process(COMMAND "${PREFIX}/linked" WORKING_DIRECTORY "${PREFIX}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT EXISTS "${PREFIX}/zemka.ps")
  message(FATAL_ERROR "the program linked with the installed library did not run")
endif()

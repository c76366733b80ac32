# The command line starts where no Qt is installed: its program file needs no Qt library.
# Run with -DPROGRAM=<veltra52-cli>.
execute_process(COMMAND ldd "${PROGRAM}" OUTPUT_VARIABLE libraries RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "ldd ${PROGRAM} failed")
endif()
if(libraries MATCHES "Qt")
    message(FATAL_ERROR "${PROGRAM} needs Qt:\n${libraries}")
endif()
if(NOT libraries MATCHES "libhidapi")
    message(FATAL_ERROR "ldd did not list ${PROGRAM}'s libraries:\n${libraries}")
endif()

# The package as Debian's tools judge it: the .deb passes lintian without errors, the desktop
# entry passes desktop-file-validate and the AppStream metainfo appstreamcli validate.
# Run with -DBUILD=<build folder> -DSOURCE=<source folder> -DOUT=<scratch folder>.
file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}")
execute_process(COMMAND cpack -G DEB --config "${BUILD}/CPackConfig.cmake" -B "${OUT}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
file(GLOB packages "${OUT}/*.deb")
if(NOT result EQUAL 0 OR NOT packages)
    message(FATAL_ERROR "cpack failed:\n${output}")
endif()

function(check name)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output
                    ERROR_VARIABLE errors)
    # lintian says "E:" for an error; the validators fail with a status.
    if(NOT result EQUAL 0 OR output MATCHES "(^|\n)E: ")
        message(FATAL_ERROR "${name} failed:\n${output}${errors}")
    endif()
    message(STATUS "${name}: passed\n${output}")
endfunction()

check(lintian lintian --fail-on error ${packages})
check(desktop-file-validate desktop-file-validate "${SOURCE}/data/desktop/veltra52.desktop")
check(appstreamcli appstreamcli validate --no-net
      "${SOURCE}/data/desktop/io.veltra.veltra52.metainfo.xml")

# Installs the build into a temporary prefix, checks the tree a user gets, and starts the
# program from the installed launcher on the simulated instrument.
# Arguments: -DBUILD=<build folder> -DPREFIX=<empty folder to install into>
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "install failed: ${result}")
endif()

set(expected
    bin/veltra52
    bin/veltra52-cli
    lib/veltra52/veltra52-cli
    share/man/man1/veltra52.1.gz
    share/man/man1/veltra52-cli.1.gz
    share/doc/veltra52/copyright
    share/metainfo/io.veltra.veltra52.metainfo.xml
    lib/veltra52/veltra52
    lib/veltra52/Images/veltra52.ico
    lib/veltra52/Images/usb.bmp
    lib/veltra52/Images/Nousb.bmp
    lib/veltra52/Languages/English.lng
    lib/veltra52/Languages/English.bmp
    lib/veltra52/Languages/NoLanguage.bmp
    lib/udev/rules.d/70-veltra52.rules
    share/applications/veltra52.desktop
    share/icons/hicolor/48x48/apps/veltra52.png
    share/icons/hicolor/128x128/apps/veltra52.png)
foreach(path IN LISTS expected)
    if(NOT EXISTS "${PREFIX}/${path}")
        message(FATAL_ERROR "missing from the install tree: ${path}")
    endif()
endforeach()
foreach(folder lib/veltra52/Version lib/veltra52/Loggers)
    if(NOT IS_DIRECTORY "${PREFIX}/${folder}")
        message(FATAL_ERROR "missing folder: ${folder}")
    endif()
endforeach()

# The installed program starts from its launcher, finds its pictures and texts beside it, shows
# its main window and asks the simulated instrument for its identity: its trace holds the three
# answers of the connection panel. It is then stopped; a start-up error would be printed.
find_program(XVFB_RUN xvfb-run)
set(trace "${PREFIX}/start-trace.log")
file(REMOVE "${trace}")
# (In a file: CMake would take the script's semicolons for list separators.)
file(WRITE "${PREFIX}/start-check.sh" [[
"$1" --simulate --trace="$2" &
program=$!
for _ in $(seq 300); do
    [ "$(grep -c ' < ' "$2" 2>/dev/null)" -ge 3 ] && break
    kill -0 "$program" 2>/dev/null || exit 3
    sleep 0.1
done
[ "$(grep -c ' < ' "$2" 2>/dev/null)" -ge 3 ] || { kill "$program"; exit 4; }
kill "$program"
wait "$program"
exit 0
]])
set(run bash "${PREFIX}/start-check.sh" "${PREFIX}/bin/veltra52" "${trace}")
if(XVFB_RUN)
    set(run ${XVFB_RUN} -a ${run})
else()
    set(ENV{QT_QPA_PLATFORM} offscreen)
endif()
set(ENV{HOME} "${PREFIX}/home")
file(MAKE_DIRECTORY "${PREFIX}/home")
execute_process(COMMAND ${run} RESULT_VARIABLE result ERROR_VARIABLE errors OUTPUT_QUIET)
if(result EQUAL 3)
    message(FATAL_ERROR "the installed program ended by itself: ${errors}")
elseif(NOT result EQUAL 0)
    message(FATAL_ERROR "the installed program showed no sign of start-up in 30 s (${result}): ${errors}")
endif()
if(errors MATCHES "veltra52:")
    message(FATAL_ERROR "the installed program reported: ${errors}")
endif()

# The command line on the PATH finds its program folder through its link and speaks the
# messages of its language files.
execute_process(COMMAND "${PREFIX}/bin/veltra52-cli" --simulate info
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT result EQUAL 0 OR NOT output MATCHES "Serial number: VT520417")
    message(FATAL_ERROR "the installed command line failed (${result}): ${output}${errors}")
endif()
execute_process(COMMAND "${PREFIX}/bin/veltra52-cli" --simulate --device nowhere info
                RESULT_VARIABLE result ERROR_VARIABLE errors OUTPUT_QUIET)
if(NOT result EQUAL 3 OR NOT errors MATCHES "No instrument found")
    message(FATAL_ERROR "the installed command line without its instrument (${result}): ${errors}")
endif()
message(STATUS "install tree and launcher: ok")

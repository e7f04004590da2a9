# Run as: cmake -DSOURCE=... -DDLL=... -DVERSION_TEXT=... -DSTAGE=... -DZIP=... -P make_package.cmake
cmake_minimum_required(VERSION 3.25)

# The INF's driver date and the archive's file times are those of the commit packaged, so the same
# sources make the same package.
execute_process(COMMAND git -C ${SOURCE} log -1 --format=%ct
                OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(NOT epoch MATCHES "^[0-9]+$")
    string(TIMESTAMP epoch "%s" UTC)
endif()
set(ENV{SOURCE_DATE_EPOCH} ${epoch})
string(TIMESTAMP ADJUSTUI_DRIVER_DATE "%m/%d/%Y" UTC)
string(TIMESTAMP mtime "%Y-%m-%d %H:%M:%S" UTC)

file(REMOVE_RECURSE ${STAGE})
get_filename_component(folder ${STAGE} NAME)
set(ADJUSTUI_VERSION_TEXT ${VERSION_TEXT})
# Windows line ends in the two files that Windows tools read.
configure_file(${SOURCE}/package/adjustui.inf.in ${STAGE}/adjustui.inf @ONLY NEWLINE_STYLE CRLF)
configure_file(${SOURCE}/package/adjustui.ini ${STAGE}/adjustui.ini @ONLY NEWLINE_STYLE CRLF)
file(COPY_FILE ${DLL} ${STAGE}/adjustui.dll)
file(COPY_FILE ${SOURCE}/docs/install.md ${STAGE}/README-install.md)
file(COPY_FILE ${SOURCE}/docs/data.md ${STAGE}/data.md)
file(COPY_FILE ${SOURCE}/docs/print-tickets.md ${STAGE}/print-tickets.md)

get_filename_component(parent ${STAGE} DIRECTORY)
file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip --mtime=${mtime} ${folder}
                WORKING_DIRECTORY ${parent} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "could not make ${ZIP}")
endif()

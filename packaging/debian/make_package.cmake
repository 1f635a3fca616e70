# Makes the Debian package with CPack; run by the "deb" target (see CMakeLists.txt here), which
# passes SOURCE_DIR, CPACK, CONFIG, DATA_FILES and PACKAGE_DIR.
cmake_minimum_required(VERSION 3.25)

foreach(input ${DATA_FILES})
  if(NOT EXISTS ${input})
    message(FATAL_ERROR "deb: ${input} is missing (the data comes from scripts/make-dictionary.sh)")
  endif()
endforeach()

# Every time in the package is this one, so that the same sources give the same bytes:
# SOURCE_DATE_EPOCH when set, else the time of the last commit.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(epoch $ENV{SOURCE_DATE_EPOCH})
else()
  execute_process(COMMAND git -C ${SOURCE_DIR} log -1 --format=%ct
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
if(NOT epoch MATCHES "^[0-9]+$")
  message(FATAL_ERROR "deb: no git history to take the file times from; set SOURCE_DATE_EPOCH")
endif()

file(GLOB old ${PACKAGE_DIR}/*.deb)
file(REMOVE_RECURSE ${PACKAGE_DIR}/_CPack_Packages ${old})
execute_process(COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${epoch} ${CPACK} --config ${CONFIG}
                COMMAND_ERROR_IS_FATAL ANY)

# Makes the Debian package with CPack; run by the "deb" target (see CMakeLists.txt here), which
# passes SOURCE_DIR, CPACK, CONFIG, DATA_FILES and PACKAGE_DIR.
cmake_minimum_required(VERSION 3.25)

foreach(input ${DATA_FILES})
  if(NOT EXISTS ${input})
    message(FATAL_ERROR "deb: ${input} is missing (the data comes from scripts/make-dictionary.sh)")
  endif()
endforeach()

include(${CMAKE_CURRENT_LIST_DIR}/../source_epoch.cmake)
tildario_source_epoch(epoch ${SOURCE_DIR} deb)

file(GLOB old ${PACKAGE_DIR}/*.deb)
file(REMOVE_RECURSE ${PACKAGE_DIR}/_CPack_Packages ${old})
execute_process(COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${epoch} ${CPACK} --config ${CONFIG}
                COMMAND_ERROR_IS_FATAL ANY)

# Run by CPack in the staging folder of the Debian package after the install and before the
# packing (CPACK_PRE_BUILD_SCRIPTS): adds the Debian changelog, and gives every file and folder
# Debian's permissions and the time SOURCE_DATE_EPOCH, so that the same sources give the same
# package.
cmake_minimum_required(VERSION 3.25)
set(root ${CPACK_TEMPORARY_DIRECTORY})
if(NOT IS_DIRECTORY ${root}/usr)
  message(FATAL_ERROR "stage: no staged files in ${root}")
endif()
# make_package.cmake sets SOURCE_DATE_EPOCH; under a plain "cpack" (the "package" target) it is
# the time of the last commit here too, and set for the rest of this CPack run, whose archives
# take their times from it.
include(${CMAKE_CURRENT_LIST_DIR}/../source_epoch.cmake)
tildario_source_epoch(epoch ${CPACK_TILDARIO_SOURCE_DIR} stage)
set(ENV{SOURCE_DATE_EPOCH} ${epoch})

# The changelog of a package without a Debian revision: one entry, this version, dated at the
# sources' time.
execute_process(COMMAND env LC_ALL=C TZ=UTC date -R -d @${epoch}
                OUTPUT_VARIABLE date OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set(changelog ${root}/${CPACK_PACKAGING_INSTALL_PREFIX}/${CPACK_TILDARIO_DOC_DIR}/changelog)
file(WRITE ${changelog} "tildario (${CPACK_PACKAGE_VERSION}) unstable; urgency=medium

  * Tildario ${CPACK_PACKAGE_VERSION}: the command line program tildario, its accent
    dictionary and context model, its manual page and bash completion.

 -- ${CPACK_TILDARIO_MAINTAINER}  ${date}
")
execute_process(COMMAND gzip -n -9 -f ${changelog} COMMAND_ERROR_IS_FATAL ANY)

execute_process(COMMAND find ${root} -type d -exec chmod 0755 {} +
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND find ${root} -type f ! -perm /0111 -exec chmod 0644 {} +
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND find ${root} -type f -perm /0111 -exec chmod 0755 {} +
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND find ${root} -exec touch -h -d @${epoch} {} +
                COMMAND_ERROR_IS_FATAL ANY)

# Makes the release files; run by the "release" target (see CMakeLists.txt here), which passes
# VERSION, ARCH (win64 or win32), SOURCE_DIR, EXE, DICTIONARY, WORK_DIR, OUTPUT_DIR, MAKENSIS
# and ZIP.
cmake_minimum_required(VERSION 3.25)

foreach(tool MAKENSIS ZIP)
  if(NOT ${tool})
    string(TOLOWER ${tool} name)
    message(FATAL_ERROR "release: ${name} is missing (scripts/install-deps.sh installs it)")
  endif()
endforeach()
get_filename_component(dictionary_dir ${DICTIONARY} DIRECTORY)
set(notice ${dictionary_dir}/diccionario-NOTICE.txt)
set(index ${dictionary_dir}/diccionario.idx)
foreach(input ${EXE} ${DICTIONARY} ${index} ${notice})
  if(NOT EXISTS ${input})
    message(FATAL_ERROR "release: ${input} is missing (the dictionary comes from "
                        "scripts/make-dictionary.sh ${DICTIONARY})")
  endif()
endforeach()

include(${CMAKE_CURRENT_LIST_DIR}/source_epoch.cmake)
tildario_source_epoch(epoch ${SOURCE_DIR} release)

# The six files both forms ship, in a folder of their own.
set(files ${WORK_DIR}/files)
file(REMOVE_RECURSE ${files})
file(MAKE_DIRECTORY ${files})
file(COPY_FILE ${EXE} ${files}/Tildario.exe)
file(COPY_FILE ${DICTIONARY} ${files}/diccionario.log)
file(COPY_FILE ${index} ${files}/diccionario.idx)

# Text files with CRLF line ends, which every Notepad shows as lines; LEEME.txt, which is
# Spanish, also starts with a UTF-8 byte order mark, without which older Notepads read it as
# code page 1252.
function(write_text from to)
  cmake_parse_arguments(T "LEEME" "" "" ${ARGN})
  file(READ ${from} text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  if(T_LEEME)
    string(CONFIGURE "${text}" text @ONLY)
    string(ASCII 239 187 191 mark)
    set(text "${mark}${text}")
  endif()
  file(WRITE ${to} "${text}")
endfunction()
write_text(${SOURCE_DIR}/packaging/LEEME.txt ${files}/LEEME.txt LEEME)
write_text(${SOURCE_DIR}/LICENSE ${files}/LICENSE)
write_text(${notice} ${files}/diccionario-NOTICE.txt)

file(GLOB names RELATIVE ${files} ${files}/*)
list(SORT names)
foreach(name ${names})
  file(CHMOD ${files}/${name} FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  execute_process(COMMAND touch -d @${epoch} ${files}/${name} COMMAND_ERROR_IS_FATAL ANY)
endforeach()

file(MAKE_DIRECTORY ${OUTPUT_DIR})
set(zip_name Tildario-${VERSION}-${ARCH}.zip)
set(setup_name Tildario-${VERSION}-${ARCH}-setup.exe)
file(REMOVE ${OUTPUT_DIR}/${zip_name} ${OUTPUT_DIR}/${setup_name})
# The installer's own stub matches the program: a 64-bit one for the 64-bit program.
if(ARCH STREQUAL "win64")
  set(nsis_target amd64-unicode)
else()
  set(nsis_target x86-unicode)
endif()

# zip: entries in name order, no directory entries, no extra fields (owner, access times);
# DOS times are local times, hence TZ.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${ZIP} -X -D -q -9 ${OUTPUT_DIR}/${zip_name} ${names}
  WORKING_DIRECTORY ${files}
  COMMAND_ERROR_IS_FATAL ANY)

execute_process(
  COMMAND ${MAKENSIS} -V2 -INPUTCHARSET UTF8
    -DVERSION=${VERSION}
    -DTARGET=${nsis_target}
    -DFILES=${files}
    -DICON=${SOURCE_DIR}/resources/tildario.ico
    -DOUTFILE=${OUTPUT_DIR}/${setup_name}
    ${SOURCE_DIR}/packaging/tildario.nsi
  COMMAND_ERROR_IS_FATAL ANY)

message(STATUS "release: ${OUTPUT_DIR}/${zip_name}")
message(STATUS "release: ${OUTPUT_DIR}/${setup_name}")

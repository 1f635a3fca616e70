# The one time every release file stores, so that the same sources give the same bytes:
# SOURCE_DATE_EPOCH when set, else the time of the last commit of `source_dir`. `who` names the
# caller in the error.
function(tildario_source_epoch out source_dir who)
  if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(epoch $ENV{SOURCE_DATE_EPOCH})
  else()
    execute_process(COMMAND git -C ${source_dir} log -1 --format=%ct
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endif()
  if(NOT epoch MATCHES "^[0-9]+$")
    message(FATAL_ERROR "${who}: no git history to take the file times from; set SOURCE_DATE_EPOCH")
  endif()
  set(${out} ${epoch} PARENT_SCOPE)
endfunction()

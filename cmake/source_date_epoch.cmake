# cmake -DSOURCE_DIR=... -DOUTPUT=... -P source_date_epoch.cmake
# Writes the time that the shipped program and its release archive carry,
# in seconds since 1970 (the SOURCE_DATE_EPOCH convention): the variable
# itself when the environment sets it, else the commit time of the source
# tree's HEAD, else 0 for a tree outside git. Two builds of one commit then
# carry the same time wherever and whenever they are made. The file is
# rewritten only when the time changes, so the program is linked again
# only after a new commit.
set(epoch "$ENV{SOURCE_DATE_EPOCH}")
if(epoch STREQUAL "")
  execute_process(COMMAND git -C "${SOURCE_DIR}" log -1 --format=%ct
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE failed ERROR_QUIET)
  if(failed OR epoch STREQUAL "")
    set(epoch 0)
  endif()
endif()
if(NOT epoch MATCHES "^[0-9]+$")
  message(FATAL_ERROR "SOURCE_DATE_EPOCH must be a number of seconds, not '${epoch}'")
endif()
file(CONFIGURE OUTPUT "${OUTPUT}" CONTENT "${epoch}\n")

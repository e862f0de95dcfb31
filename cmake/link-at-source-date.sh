#!/bin/sh
# Link launcher of the shipped program: runs the link command with
# SOURCE_DATE_EPOCH from the file that cmake/source_date_epoch.cmake
# writes. GNU ld (binutils 2.35 and later) then writes that time, not the
# link's, into the PE header's time stamp, and the checksum that covers
# the header follows.
#   link-at-source-date.sh EPOCH_FILE LINK_COMMAND...
epoch=$(cat "$1") || exit 1
shift
SOURCE_DATE_EPOCH="$epoch" exec "$@"

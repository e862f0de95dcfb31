# The release of the shipped program (tools/release/package.py makes it).
set(release_dir ${CMAKE_BINARY_DIR}/release)

# Reproducible to the byte: the PE header's time stamp is the commit's
# (cmake/source_date_epoch.cmake), not the link's. The time is looked up
# at every build, so that a new commit links the program again.
set(source_date_file ${release_dir}/source-date-epoch)
add_custom_target(source_date_epoch
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DOUTPUT=${source_date_file}
          -P ${CMAKE_SOURCE_DIR}/cmake/source_date_epoch.cmake
  BYPRODUCTS ${source_date_file} VERBATIM)
add_dependencies(machine-list-export source_date_epoch)
set_target_properties(machine-list-export PROPERTIES
  LINK_DEPENDS ${source_date_file}
  RULE_LAUNCH_LINK "'${CMAKE_SOURCE_DIR}/cmake/link-at-source-date.sh' '${source_date_file}'")

# The link map names every library file that went into the program: the
# notices are taken from the packages that supplied them. Writing it
# leaves the program's bytes alone.
set(link_map ${release_dir}/machine-list-export.map)
target_link_options(machine-list-export PRIVATE -Wl,-Map=${link_map})

# What package.py reads: the one version number and the inputs' paths.
file(GENERATE OUTPUT ${release_dir}/release.json CONTENT "{
  \"name\": \"machine-list-export\",
  \"version\": \"${PROJECT_VERSION}\",
  \"exe\": \"$<TARGET_FILE:machine-list-export>\",
  \"map\": \"${link_map}\",
  \"epoch_file\": \"${source_date_file}\",
  \"sqlite_c\": \"${SQLITE_DIR}/sqlite3.c\",
  \"guide\": \"${CMAKE_SOURCE_DIR}/docs/guide-zh.txt\",
  \"source_dir\": \"${CMAKE_SOURCE_DIR}\",
  \"build_dir\": \"${CMAKE_BINARY_DIR}\"
}
")

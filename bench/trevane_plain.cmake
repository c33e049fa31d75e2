# trevane built with TREVANE_PLAIN_SCANS: the plain scans of the CDS list and
# the coding-block map (trevanePlainScans) and of the curve in place of the
# indexes, the benchmark's point of comparison.
get_target_property(trevane_plain_sources trevane_core SOURCES)
get_target_property(trevane_plain_dir trevane_core SOURCE_DIR)
list(TRANSFORM trevane_plain_sources PREPEND ${trevane_plain_dir}/)
add_executable(trevane_plain ${trevane_plain_dir}/trevaneMain.cpp ${trevane_plain_sources})
target_compile_definitions(trevane_plain PRIVATE TREVANE_PLAIN_SCANS)
target_link_libraries(trevane_plain PRIVATE trevane_base)

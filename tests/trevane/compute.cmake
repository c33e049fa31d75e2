# Unit and property tests of trevane's analysis and classification.
add_unit_test(trevane_compute_test
  SOURCES compute_map_test.cpp compute_lookup_test.cpp compute_walk_test.cpp
          compute_classify_test.cpp compute_reference.cpp
  LIBS trevane_core)

# Loaders, numeric field readers and report writers of trevane.
add_unit_test(trevane_io_load_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/io_load_test.cpp
  LIBS trevane_core)

add_unit_test(trevane_io_report_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/io_report_test.cpp
  LIBS trevane_core)

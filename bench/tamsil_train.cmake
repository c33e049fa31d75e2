# Word-counting helper that writes tamsil_score matrices for the benchmark.
add_executable(tamsil_train ${CMAKE_CURRENT_LIST_DIR}/tamsil_train.cpp)
target_link_libraries(tamsil_train PRIVATE tamsil_core fasta)

# Thin wrapper around CMake.
#   make        release programs in build/bin
#   make test   sanitized build (ASan + UBSan) in build-test, then every test through CTest
#   make demo   release build, then the example run
#   make bench  release build with the benchmark helpers, then the genome-scale timings (by hand only)

JOBS ?= 2

.PHONY: all build test demo bench clean

all: build

build:
	cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
	cmake --build build -j $(JOBS)

test:
	cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	      -DSUITE_TESTS=ON -DSUITE_SANITIZE=ON -DSUITE_WERROR=ON
	cmake --build build-test -j $(JOBS)
	cd build-test && ctest --output-on-failure -j $(JOBS)

demo: build
	examples/demo.sh build/bin

bench:
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DSUITE_BENCH=ON
	cmake --build build-bench -j $(JOBS)
	bench/run.sh build-bench/bin

clean:
	rm -rf build build-test build-bench

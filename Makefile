# Two entry points for a fresh machine: `make run` and `make test`.
BUILD ?= build
EXAMPLE ?= examples/encased_heb.txt
CMAKE_FLAGS ?=

.PHONY: run test build configure sanitize tsan bench bench-frame-memory clean fuzz fuzz-build fuzz-replay aarch64

configure:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD)

# Only the two programs it runs: the test suite is built by `make test`.
run: configure
	cmake --build $(BUILD) --target colsec colsec-plot
	./$(BUILD)/colsec $(EXAMPLE)
	./$(BUILD)/colsec-plot $(EXAMPLE)
	@echo
	@echo "Report: $(basename $(EXAMPLE))_Validation.res"

test: build
	cd $(BUILD) && ctest --output-on-failure

# The whole suite under the address and undefined-behaviour sanitizers.
sanitize:
	$(MAKE) test BUILD=build-sanitize CMAKE_FLAGS="-DCOLSEC_SANITIZE=ON $(CMAKE_FLAGS)"

# The tests whose runs use threads (every run's surface beside its strain
# steps, the parallel sweep, the load table, the page) under the thread
# sanitizer: a data race fails them. (The quarter-million-element page is a
# size figure, left to the other builds.)
tsan:
	cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Release -DCOLSEC_TSAN=ON $(CMAKE_FLAGS)
	cmake --build build-tsan
	cd build-tsan && TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" ctest --output-on-failure -j2 -E PlotSize

clean:
	rm -rf build build-sanitize build-tsan build-aarch64

# Fuzzing with libFuzzer (clang). `make fuzz` runs a campaign of
# FUZZ_SECONDS per target; `make fuzz-replay` runs every target once over
# its corpus and the seeds, as CI does.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 600
FUZZ_SEEDS = examples tests/bad-inputs/cases tests/e2e/cases tests/verification

fuzz-build:
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DCOLSEC_FUZZ=ON -DCOLSEC_TESTS=OFF
	cmake --build $(FUZZ_BUILD) --target fuzz_reader fuzz_analysis fuzz_loads

fuzz: fuzz-build
	for t in reader analysis loads; do \
	  ./$(FUZZ_BUILD)/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -max_len=4096 -timeout=10 \
	    -print_final_stats=1 fuzz/corpus/$$t $(wildcard $(FUZZ_SEEDS)) || exit 1; \
	done

fuzz-replay: fuzz-build
	for t in reader analysis loads; do \
	  ./$(FUZZ_BUILD)/fuzz/fuzz_$$t -runs=0 fuzz/corpus/$$t $(wildcard $(FUZZ_SEEDS)) || exit 1; \
	done

# Phase timings and peak memory on generated sections (see docs/performance.md).
bench:
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DCOLSEC_BENCH=ON -DCOLSEC_TESTS=OFF
	cmake --build build-bench --target colsec_bench colsec_loads_bench
	./build-bench/bench/colsec_bench $(BENCH_SIZES)
	./build-bench/bench/colsec_loads_bench
	bench/frame-table.sh build-bench/colsec 200 3

# The frame program's table of 10 000 rows: peak memory of the table run
# against single runs (several minutes; only on request).
bench-frame-memory:
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DCOLSEC_BENCH=ON -DCOLSEC_TESTS=OFF
	cmake --build build-bench --target colsec
	bench/frame-table.sh build-bench/colsec 10000 memory

# 64-bit ARM: every source compiled with Debian's cross compiler, the
# programs linked statically; the fast paths' bit-identity tests (the
# portable sweep against the plain sums) and the examples run under
# qemu-aarch64-static, the examples' result files compared byte for byte
# with the native run (.ci/aarch64-examples.sh).
AARCH64_BUILD ?= build-aarch64
aarch64: build
	cmake -S . -B $(AARCH64_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64.cmake \
	  -DCOLSEC_STATIC=ON -DCOLSEC_TESTS=ON $(CMAKE_FLAGS)
	cmake --build $(AARCH64_BUILD) --target colsec colsec-plot colsec_fastpaths_tests
	qemu-aarch64-static -L /usr/aarch64-linux-gnu $(AARCH64_BUILD)/tests/colsec_fastpaths_tests
	.ci/aarch64-examples.sh $(BUILD)/colsec $(AARCH64_BUILD)/colsec

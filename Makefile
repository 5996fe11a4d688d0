# make run: install what is missing, build, start the program.
# make test: the same set-up, then every test through ctest; then the whole
# suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer
# (preset asan), and each fuzz target for a bounded number of inputs (preset
# fuzz). The longer fuzz run is described in fuzz/README.md.
# make bench: the same set-up, then the benchmarks against a bare Qt window
# (bench/README.md).
PRESET ?= default
BUILD_DIR := build

.PHONY: all deps build run test bench clean format

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake --preset $(PRESET)
	cmake --build --preset $(PRESET)

run: build
	$(BUILD_DIR)/moravin

test: build
	ctest --preset $(PRESET)
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan
	cmake --preset fuzz
	cmake --build --preset fuzz
	ctest --preset fuzz

bench: deps
	bench/run.sh

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD_DIR) build-*

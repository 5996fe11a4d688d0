# make run: install what is missing, build, start the program.
# make test: the same set-up, then every test through ctest.
PRESET ?= default
BUILD_DIR := build

.PHONY: all deps build run test clean format

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

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD_DIR) build-*

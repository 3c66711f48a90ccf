# Velmora: `make run` builds and starts the editor under Wine; `make test` builds and runs every test;
# `make lint` runs clang-tidy over the sources. All install what is missing first (Debian 12, as root).
# BUILD selects the build folder; LINT_FILES limits `make lint` to some sources.
BUILD ?= build
FILE ?=
CTEST_ARGS ?=
LINT_FILES ?=

.PHONY: all setup configure build run test lint bench screenshot clean

all: build

setup:
	@tools/setup.sh

configure: setup
	@test -f $(BUILD)/build.ninja || cmake -S . -B $(BUILD) -G Ninja \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake -DCMAKE_BUILD_TYPE=Release

build: configure
	@cmake --build $(BUILD)

run: build
	@tools/run-velmora.sh $(BUILD) $(FILE)

test: build
	@cd $(BUILD) && ctest --output-on-failure $(CTEST_ARGS)

# Needs the build's compile database and its generated headers, so it builds first.
lint: build
	@tools/lint.sh $(BUILD) $(LINT_FILES)

bench: build
	@tools/bench.sh $(BUILD)

screenshot: build
	@tools/screenshot.sh $(BUILD) docs/screenshot.png

clean:
	@if [ -d $(BUILD) ]; then tools/wine-env.sh $(BUILD) down; fi
	rm -rf $(BUILD)

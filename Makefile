# Velmora: `make run` builds and starts the editor under Wine; `make test` builds and runs every test.
# Both install what is missing first (Debian 12, as root). BUILD selects the build folder.
BUILD ?= build
FILE ?=
CTEST_ARGS ?=

.PHONY: all setup configure build run test bench screenshot clean

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

bench: build
	@tools/bench.sh $(BUILD)

screenshot: build
	@tools/screenshot.sh $(BUILD) docs/screenshot.png

clean:
	@if [ -d $(BUILD) ]; then tools/wine-env.sh $(BUILD) down; fi
	rm -rf $(BUILD)

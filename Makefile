# Two commands do all the set-up on a fresh Debian machine:
#   make run   installs what is missing, builds, and compacts a copy of the
#              bundled sample site in build/demo
#   make test  installs what is missing, builds, and runs every test
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all bootstrap configure build test run bench clean art screenshots

all: build

bootstrap:
	@scripts/bootstrap.sh

configure: bootstrap
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	@$(BUILD)/bench/engine_bench

# Redraws the window pictures in ui/art/ (committed; only needed after
# changing ui/art/generator/).
art: configure
	@cmake --build $(BUILD) --target art

# Renders the three windows to $(BUILD)/screenshots/ for review.
screenshots: build
	@cmake --build $(BUILD) --target screenshots

clean:
	rm -rf $(BUILD)

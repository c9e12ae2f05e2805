# Two commands do all the set-up on a fresh Debian machine:
#   make run   installs what is missing, builds, and compacts a copy of the
#              bundled sample site in build/demo
#   make test  installs what is missing, builds, and runs every test
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

FUZZ_SECONDS ?= 60
FUZZ_RUNS ?= 10000000

.PHONY: all bootstrap configure build test test-sanitize test-thread test-faults fuzz fuzz-build fuzz-long reliability-report run bench bench-tree bench-blocks bench-jobs bench-cost clean art screenshots
.PHONY: install package package-test

all: build

bootstrap:
	@scripts/bootstrap.sh

configure: bootstrap
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Every test but the slow fault tests (label "faults"; see test-faults).
test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS) -LE '^faults$$'

bench: build
	@$(BUILD)/bench/engine_bench

# The sample site, copied fresh to $(BUILD)/demo and compacted there. One of
# its pages is made read-only (git keeps no such bit), so quarnel says it
# left that page alone and ends with status 1, which is what the demo shows.
run: build
	@rm -rf $(BUILD)/demo
	@cp -r samples/site $(BUILD)/demo
	@chmod a-w $(BUILD)/demo/legal/terms.htm
	@status=0; $(BUILD)/quarnel -v $(BUILD)/demo || status=$$?; \
	  echo "quarnel ended with status $$status; the settings file is $(BUILD)/Quarnel.ini"; \
	  test $$status -le 1

# quarnel on a tree of 20,000 files (about 400 MB) against the floors; needs
# about 2.2 GB free beside the build.
bench-tree: build
	@bench/tree_bench.sh $(BUILD)

# The rules on today's pages: a CR LF and a LF tree with <pre>, <script> and
# <style> blocks; pages rewritten, bytes saved, blocks kept byte for byte.
bench-blocks: build
	@bench/blocks_bench.sh $(BUILD)

# quarnel with 1 to 16 file jobs against the flushed, unflushed and
# read-only floors, on two generated trees (a few minutes; about 1 GB free).
bench-jobs: build
	@bench/jobs_bench.sh $(BUILD)

# The cost of the compaction road and of a whole run against the floors, and
# the peak memory over a hundred times more pages, in one table. BASELINE
# names an older quarnel binary to compare CPU with.
bench-cost: build
	@BASELINE=$(BASELINE) bench/cost_bench.sh $(BUILD)

# The whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: bootstrap
	@cmake -S . -B $(BUILD)-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARNEL_SANITIZE=ON \
	  -DQUARNEL_BUILD_BENCH=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD)-asan -j $(JOBS)
	@cd $(BUILD)-asan && ctest --output-on-failure -j $(JOBS) -LE '^faults$$'

# The tests whose pages go through the file jobs' threads (the files and
# the session, and the main window's drop) built with ThreadSanitizer, in a
# build folder of their own; any race it sees fails them.
TSAN_FLAGS = -fsanitize=thread -fno-omit-frame-pointer
test-thread: bootstrap
	@cmake -S . -B $(BUILD)-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARNEL_BUILD_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS="$(TSAN_FLAGS)" -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread \
	  -DCMAKE_MODULE_LINKER_FLAGS=-fsanitize=thread -DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=thread \
	  $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD)-tsan -j $(JOBS) --target files_test form1_test
	@export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$(CURDIR)/tests/support/tsan.supp"; \
	  $(BUILD)-tsan/tests/files/files_test --gtest_brief=1 && \
	  QT_QPA_PLATFORM=offscreen $(BUILD)-tsan/tests/ui/qt/form1_test -silent

# The fault tests: the program against full and read-only file systems,
# immutable files, failing system calls (strace), SIGKILL, another user,
# bind-mount loops and huge inputs. Most need root (CI is root) and skip
# themselves, saying why, elsewhere. Prints what each fault did to the files.
FIGURES ?= $(abspath $(BUILD))/reliability-figures.txt
test-faults: build
	@rm -f $(FIGURES)
	@cd $(BUILD) && QUARNEL_FIGURES=$(FIGURES) ctest --output-on-failure -j $(JOBS) -L faults
	@scripts/reliability_report.sh $(FIGURES)

# Everything that proves the tool loses nothing: the fuzz harnesses and the
# fault tests, then the table of their figures (as in bench/RELIABILITY.md).
reliability-report: build
	@rm -f $(FIGURES)
	@$(MAKE) --no-print-directory fuzz > $(BUILD)/fuzz-report.txt || { cat $(BUILD)/fuzz-report.txt; exit 1; }
	@cat $(BUILD)/fuzz-report.txt
	@cd $(BUILD) && QUARNEL_FIGURES=$(FIGURES) ctest --output-on-failure -j $(JOBS) -L faults
	@scripts/reliability_report.sh $(FIGURES) $(BUILD)/fuzz-report.txt

# The libFuzzer harnesses, built with clang.
fuzz-build: bootstrap
	@CXX=clang++ cmake -S . -B $(BUILD)-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARNEL_FUZZ=ON \
	  -DQUARNEL_BUILD_TESTS=OFF -DQUARNEL_BUILD_BENCH=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD)-fuzz -j $(JOBS)

# Every libFuzzer harness for FUZZ_SECONDS each; fails on any finding.
fuzz: fuzz-build
	@scripts/run_fuzzers.sh $(BUILD)-fuzz $(FUZZ_SECONDS)

# Each harness until it has done at least 10,000,000 executions (the
# command-line harness 1,000,000), one job per core; not in CI: it takes
# hours on two cores. It keeps each harness's corpus and executions in
# $(BUILD)-fuzz/fuzz-long/, so that a run stopped part way goes on from there
# next time. FUZZ_RUNS sets the count; FUZZ_ONLY names the harnesses to run,
# in order (for example "page_compaction command_line").
fuzz-long: fuzz-build
	@scripts/run_fuzzers.sh $(BUILD)-fuzz --runs $(FUZZ_RUNS) $(FUZZ_ONLY)

# Installs the program under $(DESTDIR)$(PREFIX); with DESTDIR (a staging
# folder) it needs no root.
PREFIX ?= /usr/local
install: build
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# The Debian packages quarnel and quarnel-windows, in $(BUILD)/packages.
package: build
	@rm -rf $(BUILD)/packages
	@cd $(BUILD) && cpack -G DEB >/dev/null
	@ls $(BUILD)/packages/*.deb

# lintian on the packages; as root also installs them with dpkg, runs the
# installed program, and purges them again.
package-test: package
	@scripts/package_test.sh $(BUILD)/packages

# Redraws the window pictures in ui/art/ (committed; only needed after
# changing ui/art/generator/).
art: configure
	@cmake --build $(BUILD) --target art

# Renders the three windows to $(BUILD)/screenshots/ for review.
screenshots: build
	@cmake --build $(BUILD) --target screenshots

# The C++ layout of .clang-format: format rewrites every file, format-check
# (run first in CI) only tells which files differ.
.PHONY: format format-check
format: bootstrap
	@scripts/format.sh
format-check: bootstrap
	@scripts/format.sh --check

clean:
	rm -rf $(BUILD)

# Windows: quarnel.exe (the command line and the native windows, linked
# static), its console launcher quarnel.com and the tests, cross-built with
# MinGW-w64 into $(WINDOWS_BUILD); test-windows runs the tests under Wine
# (on a private Xvfb), then quarnel.exe and the Linux quarnel on the same
# trees.
WINDOWS_BUILD ?= build-windows
.PHONY: windows test-windows screenshots-windows package-windows
windows: bootstrap
	@cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DQUARNEL_WINDOWS=ON -DQUARNEL_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(WINDOWS_BUILD) -j $(JOBS)

test-windows: windows build
	@scripts/test_windows.sh $(WINDOWS_BUILD) $(BUILD)

# Renders the native windows under Wine to $(WINDOWS_BUILD)/screenshots/.
screenshots-windows: windows
	@cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target quarnel_win32_screenshots
	@scripts/windows_screenshots.sh $(WINDOWS_BUILD)

# The Windows release, $(WINDOWS_BUILD)/quarnel-<version>-win64.zip.
package-windows: windows
	@cmake --build $(WINDOWS_BUILD) --target package-windows >/dev/null
	@ls $(WINDOWS_BUILD)/quarnel-*-win64.zip

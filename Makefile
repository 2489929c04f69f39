# The two commands: `make run` and `make test`. The other targets are
# steps of those two, apart from `make bench` and `make fuzz`.
SHELL := /bin/bash
# Keeps the nested builds from printing every directory change.
MAKEFLAGS += --no-print-directory
JOBS ?= $(shell nproc)

.PHONY: run test format-check bench fuzz setup configure-x64 configure-x86 configure-native build-x64 \
	build-x86 build-native
# Seconds each fuzz target runs in `make fuzz`.
FUZZ_SECONDS ?= 60

# Only the program itself is built for a run, not the tests.
run: configure-x64
	cmake --build --preset x64 -j $(JOBS) --target mnemora
	tools/run.sh build/x64/bin/mnemora.exe

# Both targets are built (x86 is compile and link only: this machine kind
# cannot run 32-bit code), and the native build of the Win32-free
# libraries. First the native tests run: the unit tests under the
# sanitizers, each fuzz target for a few seconds, and the 32-bit call thunk
# of the x86 build in an emulator. Then the x64 tests run under Wine on a
# private display, which is stopped again whether the tests pass or not.
test: format-check build-x64 build-x86 build-native
	ctest --preset native
	tools/wine-session.sh run -- ctest --preset x64

# Every C++ source formatted as .clang-format says; lists the files that
# are not and fails.
SOURCE_DIRS := app bench commands fuzz runtime tests tools window
format-check: setup
	@find $(SOURCE_DIRS) \( -name '*.cpp' -o -name '*.h' \) -print0 | \
	  xargs -0 clang-format-14 --dry-run --Werror

# Every fuzz target for FUZZ_SECONDS seconds; non-zero when one finds a fault.
fuzz: build-native
	FUZZ_SECONDS=$(FUZZ_SECONDS) tools/fuzz.sh

# Load and search times of the instruction table, then the end-to-end
# latency and scale tables: the real program on a private display, driven
# from a second program, beside a floor program measured in the same run.
# RUNS repeats the end-to-end measurements; SCALE adds entry counts above
# 100000 (make bench SCALE=1000000). Not part of the tests.
RUNS ?= 3
SCALE ?=
bench: configure-x64
	cmake --build --preset x64 -j $(JOBS) --target mnemora_bench mnemora_e2e_bench
	tools/wine-exec.sh build/x64/bin/mnemora_bench.exe
	tools/wine-session.sh run -- tools/wine-exec.sh build/x64/bin/mnemora_e2e_bench.exe \
	  --runs=$(RUNS) $(SCALE)

setup:
	tools/setup.sh

# Configure once (the generated Makefile exists only after a configure
# that succeeded); afterwards the build re-runs CMake by itself whenever a
# CMakeLists.txt changes.
configure-x64 configure-x86 configure-native: configure-%: setup
	@test -f build/$*/Makefile || cmake --preset $*

build-x64 build-x86 build-native: build-%: configure-%
	cmake --build --preset $* -j $(JOBS)

# The two commands: `make run` and `make test`. The other targets are
# steps of those two.
SHELL := /bin/bash
# Keeps the nested builds from printing every directory change.
MAKEFLAGS += --no-print-directory
JOBS ?= $(shell nproc)

.PHONY: run test bench setup configure-x64 configure-x86 build-x64 build-x86

# Only the program itself is built for a run, not the tests.
run: configure-x64
	cmake --build --preset x64 -j $(JOBS) --target mnemora
	tools/run.sh build/x64/bin/mnemora.exe

# Both targets are built (x86 is compile and link only: this machine kind
# cannot run 32-bit code); the x64 tests run under Wine on a private
# display, which is stopped again whether the tests pass or not.
test: build-x64 build-x86
	tools/wine-session.sh run -- ctest --preset x64

# Load and search times of the instruction table; not part of the tests.
bench: configure-x64
	cmake --build --preset x64 -j $(JOBS) --target mnemora_bench
	tools/wine-exec.sh build/x64/bin/mnemora_bench.exe

setup:
	tools/setup.sh

# Configure once (the generated Makefile exists only after a configure
# that succeeded); afterwards the build re-runs CMake by itself whenever a
# CMakeLists.txt changes.
configure-x64 configure-x86: configure-%: setup
	@test -f build/$*/Makefile || cmake --preset $*

build-x64 build-x86: build-%: configure-%
	cmake --build --preset $* -j $(JOBS)

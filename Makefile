# The two commands: `make run` and `make test`. The other targets are
# steps of those two.
SHELL := /bin/bash
# Keeps the nested builds from printing every directory change.
MAKEFLAGS += --no-print-directory
JOBS ?= $(shell nproc)

.PHONY: run test setup build-x64 build-x86

run: build-x64
	tools/run.sh build/x64/bin/mnemora.exe

# Both targets are built (x86 is compile and link only: this machine kind
# cannot run 32-bit code); the x64 tests run under Wine on a private
# display, which is stopped again whether the tests pass or not.
test: build-x64 build-x86
	tools/wine-session.sh run -- ctest --preset x64

setup:
	tools/setup.sh

# Configure once; afterwards the build re-runs CMake by itself whenever a
# CMakeLists.txt changes.
build-x64 build-x86: build-%: setup
	@test -f build/$*/CMakeCache.txt || cmake --preset $*
	cmake --build --preset $* -j $(JOBS)

# Every target installs what is missing first, so these work on a fresh Debian machine.
.PHONY: deps build run test asan bench fuzz coverage package windows windows-test format \
	format-check clean

FUZZ_SECONDS ?= 60

deps:
	@scripts/install-deps

build: deps
	cmake --preset default
	cmake --build --preset default

run: build
	build/default/app/apportion

test: build
	ctest --preset default

asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

bench: deps
	cmake --preset release
	cmake --build --preset release
	build/release/bench/board_bench
	build/release/bench/undo_bench
	scripts/bench-window

fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz
	scripts/fuzz $(FUZZ_SECONDS)

coverage: deps
	scripts/coverage

# Builds the Debian package in build/release/ and checks it: validators, and the unpacked
# program starting offscreen.
package: deps
	cmake --preset release
	cmake --build --preset release --target apportion
	cd build/release && cpack
	scripts/check-package build/release/mandati_*.deb

# The Windows installer and zip in build/windows/, cross-built from Debian packages; the first
# run builds Qt for Windows into a cache outside the clone (about half an hour).
windows:
	@scripts/install-deps --windows
	scripts/windows-build

# The Windows build's tests under Wine, then its installer, installed and started under Wine.
windows-test: windows
	scripts/windows-test

format:
	scripts/format

format-check:
	scripts/format --check

clean:
	rm -rf build

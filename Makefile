# Every target installs what is missing first, so these work on a fresh Debian machine.
.PHONY: deps build run test asan bench format format-check clean

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
	scripts/bench-window

format:
	scripts/format

format-check:
	scripts/format --check

clean:
	rm -rf build

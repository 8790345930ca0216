# Everything a fresh Debian 12 machine needs: `make test` and, later, `make run`.
.PHONY: deps build test test-default test-asan bench clean

deps:
	@tools/install-deps.sh

build: deps
	cmake --preset default
	cmake --build --preset default

test: test-default test-asan

test-default: build
	ctest --preset default

test-asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

bench: build
	QT_QPA_PLATFORM=offscreen build/bench/framework_bench

clean:
	rm -rf build build-asan

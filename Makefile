# Everything a fresh Debian 12 machine needs: `make run` and `make test` install it.
.PHONY: deps build run check test test-default test-asan fuzz bench package clean

deps:
	@tools/install-deps.sh

build: deps
	cmake --preset default
	cmake --build --preset default

PROGRAM := build/Merkhaus/bin/merkhaus

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "No display to show the program on (DISPLAY is not set)."; \
	  echo "On a machine without one, start it on a virtual display: xvfb-run -a $(PROGRAM)"; \
	  exit 1; \
	fi
	$(PROGRAM)

# The in-process tests alone, in well under a minute.
check: build
	ctest --preset check

test: test-default test-asan fuzz

test-default: build
	ctest --preset default

test-asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

fuzz: deps
	fuzz/run.sh

bench: build
	QT_QPA_PLATFORM=offscreen build/bench/framework_bench
	QT_QPA_PLATFORM=offscreen build/bench/program_bench
	bench/measure_outside.sh build

# The Debian package, from the build that `make test` tests.
package: build
	tools/make-package.sh build

clean:
	rm -rf build build-asan build-fuzz

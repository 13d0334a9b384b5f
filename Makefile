# The two commands a fresh Debian 12 machine needs: `make run` and `make test`.
# Everything else here is a convenience for developers.

JOBS ?= $(shell nproc)

.PHONY: deps run build package test dev bench fuzz format format-check clean

deps:
	@scripts/install-deps

# Optimised build, then start the reader.
build: deps
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS) --target tavrin tavrin-tool tavrin_compressed_docs

run: build
	./build/release/src/tavrin

# The Debian package, build/release/tavrin_<version>_<arch>.deb; install it with
# `sudo apt install ./build/release/tavrin_*.deb`.
package: build
	cd build/release && cpack -G DEB

# Every test, built with AddressSanitizer and UBSan, through CTest; the sources must be
# formatted as .clang-format says.
test: deps format-check
	cmake --preset dev-asan >/dev/null
	cmake --build --preset dev-asan -j $(JOBS)
	ctest --preset dev-asan -j $(JOBS)

# Plain debug build for quick iteration.
dev: deps
	cmake --preset dev >/dev/null
	cmake --build --preset dev -j $(JOBS)

# Benchmarks and timed comparisons run on the release build.
bench: build
	cmake --build --preset release -j $(JOBS)
	scripts/run-benchmarks

# libFuzzer targets (clang); FUZZ_SECONDS per target.
FUZZ_SECONDS ?= 60
fuzz: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS) --target tavrin_fuzzers
	scripts/run-fuzzers $(FUZZ_SECONDS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check:
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

clean:
	rm -rf build

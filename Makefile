# The front door: `make play` and `make test`. Everything else is CMake (see CMakePresets.json).

PACKAGES := cmake ninja-build g++ pkg-config \
            libsdl2-dev libsdl2-image-dev libfreetype-dev libfontconfig-dev libpng-dev \
            fonts-dejavu-core fonts-liberation2 libx11-dev xvfb \
            libgtest-dev libgmock-dev libbenchmark-dev clang-format
# The fuzz build: clang with libFuzzer.
FUZZ_PACKAGES := clang libfuzzer-14-dev
ARGS ?=
FUZZ_SECONDS ?= 60

.PHONY: play test asan bench fuzz deps fuzz-deps build-% format format-check clean

play: deps build-release
	cd build/release/data && ../bin/killglimbot $(ARGS)

test: deps build-dev
	ctest --preset dev --output-on-failure

asan: deps build-asan
	ctest --preset asan --output-on-failure

bench: deps build-release
	@for b in build/release/bin/bench_*; do [ -x "$$b" ] && "$$b" || exit 1; done

# Every fuzz target for FUZZ_SECONDS each; fails when one finds a fault.
fuzz: deps fuzz-deps build-fuzz
	FUZZ_SECONDS=$(FUZZ_SECONDS) fuzz/run-fuzzers

deps:
	@tools/install-deps.sh $(PACKAGES)

fuzz-deps:
	@tools/install-deps.sh $(FUZZ_PACKAGES)

build-%:
	cmake --preset $*
	cmake --build --preset $*

format: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

clean:
	rm -rf build

# The front door: `make play` and `make test`. Everything else is CMake (see CMakePresets.json).

PACKAGES := cmake ninja-build g++ pkg-config \
            libsdl2-dev libsdl2-image-dev libfreetype-dev libfontconfig-dev libpng-dev \
            fonts-dejavu-core fonts-liberation2 \
            libgtest-dev libgmock-dev libbenchmark-dev clang-format
ARGS ?=

.PHONY: play test asan bench deps build-% format format-check clean

play: deps build-release
	cd build/release/data && ../bin/killglimbot $(ARGS)

test: deps build-dev
	ctest --preset dev --output-on-failure

asan: deps build-asan
	ctest --preset asan --output-on-failure

bench: deps build-release
	@for b in build/release/bin/bench_*; do [ -x "$$b" ] && "$$b" || exit 1; done

deps:
	@tools/install-deps.sh $(PACKAGES)

build-%:
	cmake --preset $*
	cmake --build --preset $*

format: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

clean:
	rm -rf build

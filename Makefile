# The front door: `make play` and `make test`. Everything else is CMake (see CMakePresets.json).

# What building and running the game needs, and no more: a first `make play` stays quick.
PLAY_PACKAGES := cmake ninja-build g++ pkg-config \
                 libsdl2-dev libx11-dev libfreetype-dev libfontconfig-dev libpng-dev \
                 fonts-dejavu-core fonts-liberation2
# The benchmarks measure the picture loader against SDL_image's.
BENCH_PACKAGES := $(PLAY_PACKAGES) libbenchmark-dev libsdl2-image-dev
# The world Killer List server: Boost (Beast and Asio), nlohmann-json, SQLite, libpq (PostgreSQL),
# OpenSSL (SHA-256).
SERVER_PACKAGES := libboost-dev nlohmann-json3-dev libsqlite3-dev libssl-dev libpq-dev
# The suite also builds the benchmarks and the server (with a PostgreSQL of the tests' own for
# its second store), checks the formatting, validates what an install adds, builds the Debian
# packages, checks the server's unit (systemd-analyze) and runs it behind the example nginx
# site, kills an X server (Xvfb) under the running game and kills the game itself around its
# save (strace).
TEST_PACKAGES := $(BENCH_PACKAGES) $(SERVER_PACKAGES) libgtest-dev libgmock-dev clang-format \
                 desktop-file-utils appstream groff-base dpkg-dev lintian xvfb strace \
                 systemd nginx-light openssl curl python3 postgresql
PACKAGE_PACKAGES := $(PLAY_PACKAGES) $(SERVER_PACKAGES) dpkg-dev
# The fuzz build: clang with libFuzzer.
FUZZ_PACKAGES := $(PLAY_PACKAGES) clang libfuzzer-14-dev
# The browser build: emscripten, Debian's sources of the libraries it builds for WebAssembly,
# the native build that makes the data, and fonttools to cut the fonts down to what is drawn.
WEB_PACKAGES := $(PLAY_PACKAGES) emscripten dpkg-dev debian-archive-keyring fonttools
# Its tests drive Debian's Chromium with playwright-core (from npm), verify journals natively and
# play the world list against the server.
WEB_TEST_PACKAGES := $(WEB_PACKAGES) $(SERVER_PACKAGES) chromium
# make server-bench: wrk for the load, nginx for the yardstick and in front of two servers,
# sqlite3 to fill a large list, PostgreSQL for the servers to share.
SERVER_BENCH_PACKAGES := $(PLAY_PACKAGES) $(SERVER_PACKAGES) wrk nginx-light sqlite3 curl \
                         postgresql
# make serve: the server, the game that verifies for it, and the page it serves.
SERVE_PACKAGES := $(WEB_PACKAGES) $(SERVER_PACKAGES)
WEB_PORT ?= 8000
# The libraries built for WebAssembly are kept once per machine, outside any clone, for the
# emscripten that built them: a fresh clone on the same machine links the same ones.
WEB_LIBS_CACHE ?= $(HOME)/.cache/killglimbot
# The processor-use measurement runs the game on a virtual X server and moves its mouse.
CPU_USE_PACKAGES := $(PLAY_PACKAGES) xvfb xdotool
# The X display number the measurement's server takes.
CPU_USE_DISPLAY ?= 9
ARGS ?=
# make serve's port on the loopback.
SERVE_PORT ?= 8080
FUZZ_SECONDS ?= 60

.PHONY: play test asan bench cpu-use package fuzz web serve-web web-test web-bench serve server-bench format format-check clean

# Each goal installs its own packages (target-specific, so its build step sees them too).
play: PACKAGES = $(PLAY_PACKAGES)
play: build-release
	build/release/bin/killglimbot $(ARGS)

test: PACKAGES = $(TEST_PACKAGES)
test: build-dev
	ctest --preset dev --output-on-failure

asan: PACKAGES = $(TEST_PACKAGES)
asan: build-asan
	ctest --preset asan --output-on-failure

bench: PACKAGES = $(BENCH_PACKAGES)
bench: CMAKE_ARGS = -DKG_BUILD_BENCH=ON
bench: build-release
	@for b in build/release/bin/bench_*; do [ -x "$$b" ] && "$$b" || exit 1; done

cpu-use: PACKAGES = $(CPU_USE_PACKAGES)
cpu-use: build-release
	bench/cpu_use.sh $(CPU_USE_DISPLAY)

# The Debian packages, in build/release: killglimbot_<version>_<arch>.deb, the game, and
# killglimbot-server_<version>_<arch>.deb, the world list's service with the page it serves.
package: PACKAGES = $(PACKAGE_PACKAGES)
package: web
	@tools/install-deps.sh $(PACKAGES)
	cmake --preset release -DKG_PAGE_DIR=$(CURDIR)/build/web
	cmake --build --preset release
	cd build/release && cpack
	@ls build/release/killglimbot*.deb

# Every fuzz target for FUZZ_SECONDS each; fails when one finds a fault.
fuzz: PACKAGES = $(FUZZ_PACKAGES)
fuzz: build-fuzz
	FUZZ_SECONDS=$(FUZZ_SECONDS) fuzz/run-fuzzers

# The page and everything it loads, in build/web.
web: PACKAGES = $(WEB_PACKAGES)
web: build-release
	@libs="$(WEB_LIBS_CACHE)/web-libs-emscripten-$$(dpkg-query -W -f='$${Version}' emscripten)"; \
	  tools/web/build-libs.sh "$$libs" && mkdir -p build/web && \
	  { [ -L build/web/libs ] || rm -rf build/web/libs; } && ln -sfn "$$libs" build/web/libs
	NODE_PATH=/usr/share/nodejs cmake --preset web
	cmake --build --preset web

# The world Killer List with the page at /, its list in the XDG data folder
# (~/.local/share/killglimbot/world.sqlite).
serve: PACKAGES = $(SERVE_PACKAGES)
serve: web
	@tools/install-deps.sh $(PACKAGES)
	cmake --preset release
	cmake --build --preset release --target killglimbot-server
	build/release/bin/killglimbot-server --listen 127.0.0.1:$(SERVE_PORT) --page build/web $(ARGS)

# The server's load figures beside nginx and beside the game's own --verify (see the README).
server-bench: PACKAGES = $(SERVER_BENCH_PACKAGES)
server-bench: build-release
	bench/server/server_bench.sh build/release
	bench/server/postgres_bench.sh build/release

serve-web:
	@echo "Kill Glimbot in a browser: http://127.0.0.1:$(WEB_PORT)/"
	python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory build/web

web-test: PACKAGES = $(WEB_TEST_PACKAGES)
web-test: web
	@tools/install-deps.sh $(PACKAGES)
	cmake --build --preset release --target killglimbot-server
	cd tests/page && npm ci --no-audit --no-fund
	node --test --test-concurrency=1 tests/page/names_test.mjs tests/page/page_test.mjs \
	  tests/page/app_test.mjs tests/page/memory_test.mjs tests/page/world_test.mjs

# A frame of play composed natively (Google Benchmark) and in WebAssembly (Node), side by side;
# then the page in Chromium: time to the title, bytes loaded, processor use while playing.
web-bench: PACKAGES = $(WEB_TEST_PACKAGES) $(BENCH_PACKAGES)
web-bench: CMAKE_ARGS = -DKG_BUILD_BENCH=ON
web-bench: web
	cmake --build --preset release --target bench_shell
	build/release/bin/bench_shell --benchmark_filter='BM_ComposeFrame$$'
	cmake --build --preset web --target bench_web_compose
	node --no-experimental-fetch build/web/cmake/bin/bench_web_compose.js
	cd tests/page && npm ci --no-audit --no-fund
	node bench/web/measure.mjs
	node bench/web/journal_storage.mjs

build-%:
	@tools/install-deps.sh $(PACKAGES)
	cmake --preset $* $(CMAKE_ARGS)
	cmake --build --preset $*

format format-check: PACKAGES = clang-format
format:
	@tools/install-deps.sh $(PACKAGES)
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check:
	@tools/install-deps.sh $(PACKAGES)
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

clean:
	rm -rf build

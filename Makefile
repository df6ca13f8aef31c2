# The README's two commands: `make run` builds what playing needs (the game, wavemelt and
# the data, in build/release) and starts the game; `make test` builds everything else too
# (tests, benchmarks, in build/debug) and runs every test. Both install the Debian packages
# they need first, and only those.
# `make install PREFIX=DIR` puts the game into DIR (bin/, share/), `make uninstall
# PREFIX=DIR` takes exactly that away again. `make bench` adds the benchmarks to the release
# tree. `make deb` builds the Debian package into build/deb/.
# `make web` builds the web version into build/web/ (Emscripten), `make serve-web` serves it
# on http://127.0.0.1:8000/, `make test-web` holds it against the native program in Node.js
# and in a headless Chromium.

PRESET ?= release
# The native build whose data and program the web version is built and tested with.
NATIVE_PRESET ?= release
ARGS ?=
PREFIX ?= /usr/local

.PHONY: run test test-asan bench deps deps-tests configure build clean install uninstall deb web serve-web test-web deps-web

run: deps
	cmake --preset release
	cmake --build --preset release
	./build/release/game/brinefall $(ARGS)

test: deps-tests
	cmake --preset debug
	cmake --build --preset debug
	ctest --preset debug --output-on-failure

test-asan: deps-tests
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan --output-on-failure

bench: deps-tests
	cmake --preset release -DBUILD_TESTING=ON
	cmake --build --preset release

install: deps
	cmake --preset release
	cmake --build --preset release
	./scripts/install-game install build/release "$(PREFIX)"

uninstall:
	./scripts/install-game uninstall build/release "$(PREFIX)"

deb:
	./scripts/install-deps --package
	./scripts/build-deb build/deb

web: deps-web
	NATIVE_PRESET=$(NATIVE_PRESET) ./scripts/build-web

serve-web:
	@test -f build/web/index.html || { echo "serve-web: build it first with make web" >&2; exit 1; }
	cd build/web && python3 -m http.server --bind 127.0.0.1 8000

test-web: web
	NATIVE_PRESET=$(NATIVE_PRESET) ./scripts/test-web

deps:
	./scripts/install-deps

deps-web:
	./scripts/install-deps --web

deps-tests:
	./scripts/install-deps --tests

clean:
	rm -rf build

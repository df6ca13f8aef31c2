# The README's two commands: `make run` builds what playing needs (the game, wavemelt and
# the data, in build/release) and starts the game; `make test` builds everything else too
# (tests, benchmarks, in build/debug) and runs every test. Both install the Debian packages
# they need first, and only those.
# `make install PREFIX=DIR` puts the game into DIR (bin/, share/), `make uninstall
# PREFIX=DIR` takes exactly that away again. `make bench` adds the benchmarks to the release
# tree. `make deb` builds the Debian package into build/deb/.

PRESET ?= release
ARGS ?=
PREFIX ?= /usr/local

.PHONY: run test test-asan bench deps deps-tests configure build clean install uninstall deb

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

deps:
	./scripts/install-deps

deps-tests:
	./scripts/install-deps --tests

clean:
	rm -rf build

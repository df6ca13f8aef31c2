# The README's two commands: `make run` builds everything and starts the game,
# `make test` builds and runs every test. Both install what is missing first.
# `make install PREFIX=DIR` puts the game into DIR (bin/, share/), `make uninstall
# PREFIX=DIR` takes exactly that away again.

PRESET ?= release
ARGS ?=
PREFIX ?= /usr/local

.PHONY: run test test-asan deps configure build clean install uninstall

run: deps
	cmake --preset release
	cmake --build --preset release
	./build/release/game/brinefall $(ARGS)

test: deps
	cmake --preset debug
	cmake --build --preset debug
	ctest --preset debug --output-on-failure

test-asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan --output-on-failure

install: deps
	cmake --preset release
	cmake --build --preset release
	./scripts/install-game install build/release "$(PREFIX)"

uninstall:
	./scripts/install-game uninstall build/release "$(PREFIX)"

deps:
	./scripts/install-deps

clean:
	rm -rf build

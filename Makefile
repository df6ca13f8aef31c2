# The README's two commands: `make run` builds everything and starts the game,
# `make test` builds and runs every test. Both install what is missing first.

PRESET ?= release
ARGS ?=

.PHONY: run test test-asan deps configure build clean

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

deps:
	./scripts/install-deps

clean:
	rm -rf build

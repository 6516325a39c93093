# The two everyday commands: `make run` and `make test`. Both install what is missing first.
# `make` alone builds; `make install` installs under PREFIX; `make package` builds the .deb.
PRESET ?= default
BUILD := build/$(PRESET)
PREFIX ?= /usr/local

.PHONY: all deps configure build run test bench fuzz fuzz-smoke asan install package clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET)

run: build
	@scripts/run-app $(BUILD)/app/burner-catalogue

test: build
	@ctest --preset $(PRESET) --output-on-failure -j2

asan:
	@$(MAKE) test PRESET=asan

bench: deps
	@cmake --preset bench >/dev/null
	@cmake --build --preset bench
	@scripts/run-benchmarks build/bench/bench

fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz

install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)

package: build
	@cd $(BUILD) && cpack -G DEB
	@ls $(BUILD)/*.deb

# Every fuzz target over its seed corpus, then 30 s of fuzzing each (FUZZ_SECONDS=...).
# (make test replays the same corpora once, without the fuzz build.)
fuzz-smoke: fuzz
	@scripts/fuzz-smoke build/fuzz $(or $(FUZZ_SECONDS),30)

clean:
	@rm -rf build

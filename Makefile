# On a fresh Debian 12 machine, after `apt-get install -y make git` and the
# clone, every target installs the Debian packages it needs first
# (scripts/install-deps.sh, by purpose):
#   make run         build and play: the compiler, CMake, Qt 6, the fonts
#   make test        + CUPS with the PDF printer and poppler's tools
#   make check-asan  the test packages; the suite again under the sanitizers
#   make fuzz        + clang with libFuzzer
#   make bench       nothing more; runs every benchmark, prints the figures
#   make package     + file and lintian; builds and checks the .deb
BUILD ?= build
JOBS  ?= $(shell nproc)
DEPS  := bash scripts/install-deps.sh

# The purpose the set-up installs for, besides building and playing. Set per
# target below, so that `make test` on a fresh machine installs everything in
# one go; each recipe asks again for its own purpose, which costs nothing
# when the packages are there (as after `make run test`).
NEEDS :=
test: NEEDS := test
package: NEEDS := package
bench: NEEDS := bench
check-asan: NEEDS := asan
fuzz: NEEDS := fuzz

.PHONY: deps configure build run test check-asan fuzz bench package clean

deps:
	@$(DEPS) $(NEEDS)

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/kapuna

test: build
	@$(DEPS) test
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The whole test suite again under AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer, in its own build folder.
check-asan: deps
	@bash scripts/check-asan.sh

# Every libFuzzer target for a bounded time (FUZZ_SECONDS each).
fuzz: deps
	@bash scripts/fuzz.sh

# A Debian package of the game in $(BUILD)/, checked by lintian.
package: build
	@$(DEPS) package
	@bash scripts/package.sh $(BUILD)

# Every benchmark program; fails if any does, and ends with the figures of
# the README's performance table.
bench: build
	@$(DEPS) bench
	@bash scripts/bench.sh $(BUILD)

clean:
	rm -rf $(BUILD)

# Two commands do everything on a fresh Debian 12 machine:
#   make run   - install what is missing, build, start the game
#   make test  - install what is missing, build, run every test offscreen
BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: deps configure build run test check-asan fuzz bench package clean

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/kapuna

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The whole test suite again under AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer, in its own build folder.
check-asan: deps
	@bash scripts/check-asan.sh

# Every libFuzzer target for a bounded time (FUZZ_SECONDS each).
fuzz: deps
	@bash scripts/fuzz.sh

# A Debian package of the game in $(BUILD)/.
package: build
	cd $(BUILD) && cpack -G DEB

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && QT_QPA_PLATFORM=offscreen "$$b" || exit 1; done

clean:
	rm -rf $(BUILD)

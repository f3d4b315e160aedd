# The front door: `make run` and `make test` do all the set-up they need (see README.md).
.PHONY: bench-process soak run test build deps-run deps-test unit asan fuzz cross format format-check bench clean

JOBS ?= $(shell nproc)

run: deps-run build
	scripts/run.sh

build:
	cmake --preset dev
	cmake --build --preset dev -j $(JOBS)

deps-run:
	@scripts/deps.sh build qt test e2e

deps-test:
	@scripts/deps.sh build qt test cross e2e

# Everything CI runs.
test: deps-test format-check unit asan fuzz cross

unit: build
	ctest --preset dev -j $(JOBS)

asan:
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

fuzz:
	JOBS=$(JOBS) scripts/fuzz.sh

# The core and its unit tests built with MinGW-w64 and run under Wine.
cross:
	JOBS=$(JOBS) scripts/cross.sh

format-check:
	scripts/check-format.sh

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

bench: build
	for b in build/dev/bench/*_bench; do $$b; done

# The whole program beside xload: CPU time per minute and peak memory, release build.
bench-process: deps-test
	@scripts/deps.sh bench
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	bench/whole-process.sh

clean:
	rm -rf build

# An hour of the release program at Cycle=1 with the tray graph: memory, files and X resources.
soak: deps-test
	@scripts/deps.sh bench
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	bench/soak.sh

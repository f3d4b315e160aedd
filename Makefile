# The front door: `make run` and `make test` do all the set-up they need (see README.md).
.PHONY: run test build deps-run deps-test deps-package deps-windows unit asan fuzz cross windows \
	windows-check deb package-check format format-check tidy coverage bench release-bench \
	bench-tick bench-process soak clean

JOBS ?= $(shell nproc)

run: deps-run build
	scripts/run.sh

build:
	cmake --preset dev
	cmake --build --preset dev -j $(JOBS)

deps-run:
	@scripts/deps.sh build qt test e2e

deps-test:
	@scripts/deps.sh build qt test cross e2e desktops package

deps-package:
	@scripts/deps.sh build qt package

deps-windows:
	@scripts/deps.sh build cross

# Everything CI runs.
test: deps-test format-check unit tidy asan fuzz cross windows-check package-check

unit: build
	ctest --preset dev -j $(JOBS)

asan:
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

fuzz:
	JOBS=$(JOBS) scripts/fuzz.sh

# The core, the Win32 front end, moravel-tool and their tests built with MinGW-w64, run under Wine.
cross:
	JOBS=$(JOBS) scripts/cross.sh

# The Windows program as shipped: a static release build with MinGW-w64, its program folder in
# build/windows, build/Moravel-<version>-win64.zip, the installer build/Moravel-<version>-win64.msi
# and its winget manifests; its executables need only system DLLs.
windows: deps-windows
	JOBS=$(JOBS) scripts/package-windows.sh

# The zip's program under Wine on a virtual desktop with a tray host, driven with xdotool; the
# MSI installed, upgraded and uninstalled there; the alert's balloon on the tray icon.
windows-check: windows
	@scripts/deps.sh e2e qt
	tests/e2e/wine_test.sh build/Moravel-*-win64.zip build/Moravel-*-win64.msi
	tests/e2e/wine_alert_test.sh build/windows/Moravel-*-win64

# The Debian package, built by dpkg-buildpackage from a copy of the tree: build/moravel_*.deb.
deb: deps-package
	JOBS=$(JOBS) scripts/build-deb.sh

# The package as a user gets it: lintian, the desktop entry and metainfo, the unpacked layout,
# and the unpacked program started on a virtual desktop.
package-check: deb
	@scripts/deps.sh e2e
	scripts/check-package.sh

format-check:
	scripts/check-format.sh

# clang-tidy over src/core and src/qt with the checks of .clang-tidy.
tidy: build
	JOBS=$(JOBS) scripts/tidy.sh

# Line coverage of the core by its unit tests.
coverage: deps-test
	@scripts/deps.sh coverage
	cmake --preset coverage
	cmake --build --preset coverage -j $(JOBS)
	find build/coverage -name '*.gcda' -delete
	ctest --preset coverage -j $(JOBS)
	gcovr --root . --filter 'src/core/' build/coverage \
		--exclude-directories 'build/coverage/CMakeFiles' --txt build/coverage/coverage.txt \
		--print-summary | grep -E '^(lines|functions|branches):'
	@echo "per file: build/coverage/coverage.txt"

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

bench: build
	for b in build/dev/bench/*_bench; do $$b; done

# The whole program beside the bare Qt window and xload, interleaved (release build), and the
# instructions per tick under callgrind.
release-bench: deps-test
	@scripts/deps.sh bench
	cmake --preset release -DMORAVEL_BUILD_BENCH=ON
	cmake --build --preset release -j $(JOBS)

bench-process: release-bench
	bench/whole-process.sh

bench-tick: release-bench
	bench/tick-cost.sh
	bench/tick-cost.sh 30 1 1

clean:
	rm -rf build

# An hour of the release program at Cycle=1 with the tray graph: memory, files and X resources.
soak: release-bench
	bench/soak.sh

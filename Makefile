# Brannock's front door. `make run` and `make test` do all set-up on a fresh Debian machine.
BUILD ?= build
WINDOWS_BUILD ?= build-windows
JOBS ?= $(shell nproc)
CTEST_JOBS ?= 2
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRANNOCK_WERROR=ON

.PHONY: all deps deps-gui build run test test-native test-windows bench screenshots \
        screenshots-windows dist-windows format clean
# The steps of `make test` share the build folders and the machine: one at a time.
.NOTPARALLEL:
MAKEFLAGS += --no-print-directory

all: build

deps:
	@scripts/install-deps.sh native

deps-gui:
	@scripts/install-deps.sh gui

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

run: deps-gui build
	scripts/run.sh $(BUILD)/ui/qt/brannock

test: test-native test-windows

test-native: build
	cd $(BUILD) && ctest --output-on-failure -j $(CTEST_JOBS)

test-windows:
	@scripts/install-deps.sh windows
	JOBS=$(JOBS) scripts/test-windows.sh $(WINDOWS_BUILD)

bench: build
	$(BUILD)/bench/brannock_bench

screenshots: deps-gui build
	scripts/screenshots.sh $(BUILD)/ui/qt/brannock $(BUILD)/screenshots

# The Windows program under Wine, on a virtual display with a tray.
screenshots-windows:
	@scripts/install-deps.sh windows gui
	JOBS=$(JOBS) scripts/screenshots-windows.sh $(WINDOWS_BUILD)

# The download: $(WINDOWS_BUILD)/dist/brannock-<version>-windows-x64.zip.
dist-windows:
	@scripts/install-deps.sh windows
	JOBS=$(JOBS) scripts/dist-windows.sh $(WINDOWS_BUILD)

format:
	@scripts/install-deps.sh format
	git ls-files --cached --others --exclude-standard '*.cpp' '*.h' | xargs -r clang-format -i

clean:
	rm -rf $(BUILD) $(WINDOWS_BUILD)

# Brannock's front door. `make run` and `make test` do all set-up on a fresh Debian machine.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRANNOCK_WERROR=ON

.PHONY: all deps build run test test-native test-windows bench screenshots format clean

all: build

deps:
	@scripts/install-deps.sh native

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/install-deps.sh gui
	scripts/run.sh $(BUILD)/ui/qt/brannock

test: test-native test-windows

test-native: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-windows:
	@scripts/install-deps.sh windows
	scripts/test-windows.sh

bench: build
	$(BUILD)/bench/brannock_bench

screenshots: build
	@scripts/install-deps.sh gui
	scripts/screenshots.sh $(BUILD)/ui/qt/brannock

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) build-windows

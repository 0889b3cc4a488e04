# Brannock's front door. `make run` and `make test` do all set-up on a fresh Debian machine.
BUILD ?= build
WINDOWS_BUILD ?= build-windows
JOBS ?= $(shell nproc)
CTEST_JOBS ?= 2
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRANNOCK_WERROR=ON
# The About box's web page and e-mail address: none by default (packaging/about.cmake), and
# the box then leaves those links out; a packager gives the real ones with
# `make PROJECT_PAGE=https://... CONTACT_MAIL=...` (or the same -D options to cmake).
ifneq ($(origin PROJECT_PAGE),undefined)
CMAKE_FLAGS += "-DBRANNOCK_PROJECT_PAGE=$(PROJECT_PAGE)"
endif
ifneq ($(origin CONTACT_MAIL),undefined)
CMAKE_FLAGS += "-DBRANNOCK_CONTACT_MAIL=$(CONTACT_MAIL)"
endif
# `make install` is for the current user: no root needed.
PREFIX ?= $(HOME)/.local

.PHONY: all deps deps-gui build run install uninstall test test-native test-windows bench \
	screenshots screenshots-windows dist-windows format clean
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

# Into PREFIX (default ~/.local): the program in lib/brannock/, the command in bin/, the launcher
# and the icon; AUTOSTART=1 starts it with the desktop session.
install: build
	PREFIX="$(PREFIX)" AUTOSTART="$(AUTOSTART)" scripts/install.sh $(BUILD)

# Removes what `make install` put there; the settings file stays unless PURGE=1.
uninstall:
	PREFIX="$(PREFIX)" PURGE="$(PURGE)" scripts/uninstall.sh

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
	QT_SCALE_FACTOR=2 scripts/screenshots.sh $(BUILD)/ui/qt/brannock $(BUILD)/screenshots/200

# The Windows program under Wine, on a virtual display with a tray.
screenshots-windows:
	@scripts/install-deps.sh windows gui
	JOBS=$(JOBS) scripts/screenshots-windows.sh $(WINDOWS_BUILD)

# The downloads: $(WINDOWS_BUILD)/dist/brannock-<version>-windows-x64.zip and
# brannock-<version>-setup.exe, the per-user setup program (built with makensis).
dist-windows:
	@scripts/install-deps.sh windows
	JOBS=$(JOBS) scripts/dist-windows.sh $(WINDOWS_BUILD)

format:
	@scripts/install-deps.sh format
	git ls-files --cached --others --exclude-standard '*.cpp' '*.h' | xargs -r clang-format -i

clean:
	rm -rf $(BUILD) $(WINDOWS_BUILD)

# The two commands of the README, the Debian package and fuzzing. Everything
# else is ordinary CMake.
BUILD      := build
BUILD_ASAN := build-asan
BUILD_FUZZ := build-fuzz
# The Windows cross build: the Qt for MinGW is unpacked into it.
BUILD_WIN  := build-windows
QT_MINGW_ARCHIVE ?= $(shell ./scripts/find-qt-mingw)
JOBS       := $(shell nproc)
# Seconds each fuzz target runs in `make fuzz`; FUZZ_TARGETS picks some.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?=

.PHONY: run test package fuzz windows windows-test

run:
	@./scripts/setup
	@cmake -S . -B $(BUILD) -G Ninja -Wno-dev >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)
	@./scripts/run-tarvo $(BUILD)

# The sanitizer run, the plain run, then the Windows build's tests under
# Wine. Tests that need an X server get a private Xvfb.
test:
	@./scripts/setup windows
	@cmake -S . -B $(BUILD_ASAN) -G Ninja -Wno-dev -DTARVO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(BUILD_ASAN) -j $(JOBS)
	@echo "== tests under AddressSanitizer + UndefinedBehaviorSanitizer =="
	@cd $(BUILD_ASAN) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
		../scripts/with-xvfb ctest --output-on-failure -j $(JOBS)
	@cmake -S . -B $(BUILD) -G Ninja -Wno-dev >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)
	@echo "== tests =="
	@cd $(BUILD) && ../scripts/with-xvfb ctest --output-on-failure -j $(JOBS)
	@if [ -n "$(QT_MINGW_ARCHIVE)" ]; then $(MAKE) --no-print-directory windows-test; \
	else echo "== Windows tests skipped: no Qt for MinGW in ../shared/toolchains (set QT_MINGW_ARCHIVE) =="; fi

# A Debian package of the normal build (CPack, packaging/packaging.cmake),
# written into the build directory.
package:
	@./scripts/setup
	@cmake -S . -B $(BUILD) -G Ninja -Wno-dev >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)
	@cd $(BUILD) && cpack

# Coverage-guided fuzzing of the readers of outside data (fuzz/): builds the
# libFuzzer targets with clang and runs each for FUZZ_SECONDS.
fuzz:
	@./scripts/setup fuzz
	@CC=clang CXX=clang++ cmake -S . -B $(BUILD_FUZZ) -G Ninja -Wno-dev -DTARVO_FUZZ=ON >/dev/null
	@cmake --build $(BUILD_FUZZ) -j $(JOBS) --target fuzzers
	@FUZZ_SECONDS=$(FUZZ_SECONDS) ./scripts/fuzz $(BUILD_FUZZ) $(FUZZ_TARGETS)

# The Windows cross build (MinGW, the Qt for MinGW of QT_MINGW_ARCHIVE) and
# its zip package, written into $(BUILD_WIN)/tarvo.
windows:
	@./scripts/setup windows
	@./scripts/windows-configure $(BUILD_WIN) $(QT_MINGW_ARCHIVE) -DBUILD_TESTING=OFF
	@cmake --build $(BUILD_WIN)/tarvo -j $(JOBS)
	@./scripts/windows-package $(BUILD_WIN)/tarvo $(BUILD_WIN)/qt6-mingw

# The Windows build's tests under Wine, in a Wine prefix made afresh for the
# run; the Linux tvotool (built in $(BUILD)) checks the files of the Windows one.
windows-test:
	@./scripts/setup windows
	@cmake -S . -B $(BUILD) -G Ninja -Wno-dev >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target tvotool
	@./scripts/windows-configure $(BUILD_WIN) $(QT_MINGW_ARCHIVE) -DBUILD_TESTING=ON \
		-DTARVO_LINUX_TVOTOOL=$(CURDIR)/$(BUILD)/src/tools/tvotool
	@cmake --build $(BUILD_WIN)/tarvo -j $(JOBS)
	@./scripts/windows-package $(BUILD_WIN)/tarvo $(BUILD_WIN)/qt6-mingw
	@echo "== Windows tests under Wine =="
	@WINEPREFIX=$(CURDIR)/$(BUILD_WIN)/tarvo/wineprefix wineserver -k 2>/dev/null || true
	@rm -rf $(BUILD_WIN)/tarvo/wineprefix
	@cd $(BUILD_WIN)/tarvo && WINEPREFIX=$(CURDIR)/$(BUILD_WIN)/tarvo/wineprefix ../../scripts/with-xvfb \
		sh -c 'ctest --output-on-failure -j $(JOBS); status=$$?; wineserver -k 2>/dev/null; exit $$status'

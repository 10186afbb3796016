# The two commands of the README, the Debian package and fuzzing. Everything
# else is ordinary CMake.
BUILD      := build
BUILD_ASAN := build-asan
BUILD_FUZZ := build-fuzz
JOBS       := $(shell nproc)
# Seconds each fuzz target runs in `make fuzz`; FUZZ_TARGETS picks some.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?=

.PHONY: run test package fuzz

run:
	@./scripts/setup
	@cmake -S . -B $(BUILD) -G Ninja -Wno-dev >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)
	@./scripts/run-tarvo $(BUILD)

# The sanitizer run goes first so that the output ends with the summary of
# the plain run. Tests that need an X server get a private Xvfb.
test:
	@./scripts/setup
	@cmake -S . -B $(BUILD_ASAN) -G Ninja -Wno-dev -DTARVO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(BUILD_ASAN) -j $(JOBS)
	@echo "== tests under AddressSanitizer + UndefinedBehaviorSanitizer =="
	@cd $(BUILD_ASAN) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
		../scripts/with-xvfb ctest --output-on-failure -j $(JOBS)
	@cmake -S . -B $(BUILD) -G Ninja -Wno-dev >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)
	@echo "== tests =="
	@cd $(BUILD) && ../scripts/with-xvfb ctest --output-on-failure -j $(JOBS)

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

# The two commands of the README, and the Debian package. Everything else is
# ordinary CMake.
BUILD      := build
BUILD_ASAN := build-asan
JOBS       := $(shell nproc)

.PHONY: run test package

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
	@cd $(BUILD_ASAN) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
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

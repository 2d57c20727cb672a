# make test  - install dependencies, build, run every test
# make run   - install dependencies, build, start TF3D with the bridge example
# make run-planprint - install dependencies, build, start Planprint
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: deps build test run run-planprint test-sanitize bench clean

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

# Window tests need a display: ctest runs under a virtual one.
XVFB = xvfb-run -a -s "-screen 0 1280x1024x24"
TEST_ENV = NO_AT_BRIDGE=1 SDL_AUDIODRIVER=dummy

test: build
	cd $(BUILD) && $(TEST_ENV) $(XVFB) ctest --output-on-failure -j $(JOBS)

# Starts with the bridge example; ARGS= starts with a new model.
ARGS ?= examples/bridge.3dd
run: build
	./$(BUILD)/tf3d $(ARGS)

run-planprint: build
	./$(BUILD)/planprint

# The same tests, the window tests too, under AddressSanitizer and
# UndefinedBehaviorSanitizer with float-to-integer overflow checks; leaks of the GL driver and toolkit libraries
# are suppressed (scripts/lsan.supp says which and why). The software GL
# driver draws without worker threads here. A failed test fails the run, except
# one whose process the leak checker's own tracer crashed at exit (seen once in
# some hundred runs): scripts/ctest-sanitized runs only such a test once more.
SANITIZE_ENV = ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp \
	UBSAN_OPTIONS=print_stacktrace=1 LP_NUM_THREADS=0
test-sanitize: deps
	cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTF3D_SANITIZE=ON -DTF3D_GUI=ON
	cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && $(TEST_ENV) $(SANITIZE_ENV) $(XVFB) $(CURDIR)/scripts/ctest-sanitized --output-on-failure -j $(JOBS)

bench: build
	./$(BUILD)/analysis_bench

clean:
	rm -rf $(BUILD) build-sanitize

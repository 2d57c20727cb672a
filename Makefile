# make test  - install dependencies, build, run every test
# make run   - install dependencies, build, start TF3D
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: deps build test run test-sanitize bench clean

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

run: build
	./$(BUILD)/tf3d $(ARGS)

# The same tests under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTF3D_SANITIZE=ON
	cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && ctest --output-on-failure -j $(JOBS)

bench: build
	./$(BUILD)/analysis_bench

clean:
	rm -rf $(BUILD) build-sanitize

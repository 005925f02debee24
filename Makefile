# The two commands of this project: `make run` opens the program, `make test` runs every test.
# Both install what is missing, configure and build first.

BUILD_DIR ?= build
SANITIZED_DIR ?= build-sanitized
PROGRAM := $(BUILD_DIR)/skarnholm-language-selector
JOBS ?= $(shell nproc)

.PHONY: run test build build-sanitized deps clean

run: build
	./$(PROGRAM)

# Every test on the release build, then the unit and window tests again under AddressSanitizer
# and UndefinedBehaviorSanitizer, where any report fails the test.
test: build build-sanitized
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)
	cd $(SANITIZED_DIR) && ctest --output-on-failure -j $(JOBS) -L unit

build: deps
	@[ -f $(BUILD_DIR)/CMakeCache.txt ] || cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD_DIR) -j $(JOBS)

build-sanitized: deps
	@[ -f $(SANITIZED_DIR)/CMakeCache.txt ] || cmake -S . -B $(SANITIZED_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSKARNHOLM_SANITIZE=ON
	cmake --build $(SANITIZED_DIR) -j $(JOBS)

deps:
	@tools/install-deps

clean:
	rm -rf $(BUILD_DIR) $(SANITIZED_DIR)

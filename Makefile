# The two commands of this project: `make run` opens the program, `make test` runs every test.
# Both install what is missing, configure and build first.

BUILD_DIR ?= build
PROGRAM := $(BUILD_DIR)/skarnholm-language-selector
JOBS ?= $(shell nproc)

.PHONY: run test build deps configure clean

run: build
	./$(PROGRAM)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

configure: deps
	@if [ ! -f $(BUILD_DIR)/CMakeCache.txt ]; then \
	  cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo; \
	fi

deps:
	@tools/install-deps

clean:
	rm -rf $(BUILD_DIR)

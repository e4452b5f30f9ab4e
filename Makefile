BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: deps configure build test run clean

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 300

clean:
	@rm -rf $(BUILD_DIR)

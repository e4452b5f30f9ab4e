BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: deps configure build test bench run clean

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 300

# Benchmarks of the engine on the simulated desktop; not part of `make test`.
bench: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target zorv_bench
	@QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/bench/zorv_bench

clean:
	@rm -rf $(BUILD_DIR)

# Starts zorv on the simulated desktop; extra options go in ARGS (see the README). Without a
# display it runs offscreen and saves pictures of the window instead.
run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
		echo "No display: running offscreen; pictures of the window go to $(BUILD_DIR)/screenshots (Ctrl-C stops)."; \
		QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/src/app/zorv --sim-screenshots $(BUILD_DIR)/screenshots $(ARGS); \
	else \
		$(BUILD_DIR)/src/app/zorv $(ARGS); \
	fi

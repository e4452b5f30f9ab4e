BUILD_DIR ?= build
JOBS ?= $(shell nproc)
# Extra options for every configure line; compiles go through ccache where it is installed.
CMAKE_ARGS ?= $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

.PHONY: deps configure build test bench chaos crash-test run clean sanitize sanitize-address \
	sanitize-thread fuzz fuzz-build fuzz-import

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_ARGS)

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# The benchmarks are built too, so a change that breaks them shows here; `make bench` runs them.
test: build
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target zorv_bench
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 300

# Benchmarks of the engine on the simulated desktop; not part of `make test`.
bench: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target zorv_bench
	@QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/bench/zorv_bench

# Random hours of a Mac's life on the simulated desktop with Zorv's whole app, invariants checked
# throughout, on the laptop and on the crowded laptop with a camera housing; `make test` plays
# seeds 1 to 10 on the laptop and 1 to 3, 54 and 56 on the crowded one for one hour each.
# CHAOS_SEEDS, CHAOS_CROWDED_SEEDS and CHAOS_HOURS override.
CHAOS_SEEDS ?= 1 2 3 4 5 6 7 8 9 10
CHAOS_CROWDED_SEEDS ?= 1 2 3 51 53 54 55 56 60 209
CHAOS_HOURS ?= 10
chaos: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target test_app
	@scripts/chaos $(BUILD_DIR) $(JOBS) $(CHAOS_HOURS) laptop $(CHAOS_SEEDS); laptop=$$?; \
		scripts/chaos $(BUILD_DIR) $(JOBS) $(CHAOS_HOURS) crowded $(CHAOS_CROWDED_SEEDS) && \
		[ $$laptop = 0 ]

# Kills zorv with SIGKILL at random moments while it writes its files, CRASH_RUNS times (200 by
# default), restarting it each time, and checks the files it leaves (scripts/crash-test).
CRASH_RUNS ?= 200
crash-test: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target zorv
	@scripts/crash-test $(BUILD_DIR)/src/app/zorv $(CRASH_RUNS) $(CRASH_SEED)

clean:
	@rm -rf $(BUILD_DIR) build-asan build-tsan build-fuzz

# Runs the whole suite under AddressSanitizer with UndefinedBehaviorSanitizer and leak detection
# (in build-asan), then under ThreadSanitizer (in build-tsan). Any report fails the run.
SANITIZER_SUPPRESSIONS := $(CURDIR)/cmake/sanitizers
SANITIZE_TEST = QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 600

sanitize: sanitize-address sanitize-thread

sanitize-address: deps
	@cmake -S . -B build-asan -G Ninja -DZORV_SANITIZE=address $(CMAKE_ARGS)
	@cmake --build build-asan -j $(JOBS)
	@cd build-asan && \
		ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_init_order=1 \
		LSAN_OPTIONS=suppressions=$(SANITIZER_SUPPRESSIONS)/lsan.supp \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		$(SANITIZE_TEST)

# Memory copies made inside uninstrumented libraries (Qt's thread pool moving its queue, Qt
# Network's HTTP thread handing a reply over, both under Qt's own futex locks) are not checked;
# their lock calls still are.
sanitize-thread: deps
	@cmake -S . -B build-tsan -G Ninja -DZORV_SANITIZE=thread $(CMAKE_ARGS)
	@cmake --build build-tsan -j $(JOBS)
	@cd build-tsan && \
		TSAN_OPTIONS=suppressions=$(SANITIZER_SUPPRESSIONS)/tsan.supp:halt_on_error=1:history_size=7:second_deadlock_stack=1:ignore_noninstrumented_modules=1 \
		$(SANITIZE_TEST)

# libFuzzer targets, one per decoder of data from outside, built with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz; each runs FUZZ_SECONDS from its seed corpus in
# fuzz/corpus/. A crash, a sanitizer report, a leak, an input taking over a second or over 512 MB
# fails the run. Not part of `make test`.
FUZZ_SECONDS ?= 60
FUZZ_IMPORTS ?= 10000
FUZZ_SEED ?= 1

fuzz-build:
	@scripts/install-deps fuzz
	@cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DZORV_FUZZ=ON $(CMAKE_ARGS)
	@cmake --build build-fuzz -j $(JOBS) --target zorv_fuzzers fuzz_import

fuzz: fuzz-build
	@FUZZ_SECONDS=$(FUZZ_SECONDS) scripts/run-fuzzers build-fuzz

# Imports FUZZ_IMPORTS generated and mutated export files through the app model (same build). The
# data folder goes to memory where there is /dev/shm: the stores' syncs to disk would take most
# of the time.
FUZZ_TMPDIR ?= $(shell test -d /dev/shm && echo /dev/shm || echo /tmp)

fuzz-import: fuzz-build
	@cd build-fuzz && TMPDIR=$(FUZZ_TMPDIR) \
		ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
		LSAN_OPTIONS=suppressions=$(SANITIZER_SUPPRESSIONS)/lsan.supp \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 QT_QPA_PLATFORM=offscreen \
		fuzz/fuzz_import --count $(FUZZ_IMPORTS) --seed $(FUZZ_SEED)

# Starts zorv on the simulated desktop; extra options go in ARGS (see the README). Without a
# display it runs offscreen and saves pictures of the window instead.
run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
		echo "No display: running offscreen; pictures of the displays go to $(BUILD_DIR)/screenshots (Ctrl-C stops)."; \
		QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/src/app/zorv --sim-screenshots $(BUILD_DIR)/screenshots $(ARGS); \
	else \
		$(BUILD_DIR)/src/app/zorv $(ARGS); \
	fi

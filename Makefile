# SPDX-License-Identifier: GPL-3.0-or-later
# Quick start: `make run` starts the editor, `make test` runs every test.
# Both install the Debian packages they need when missing. With CI set,
# `make test` also runs the sanitizer build, the fuzzers and the benchmarks.

BUILD_DIR ?= build
SANITIZE_DIR ?= build-asan
TSAN_DIR ?= build-tsan
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60

PACKAGES := cmake ninja-build g++ make pkg-config dpkg-dev libgtest-dev libgmock-dev \
            libbenchmark-dev qt6-base-dev libgl-dev fonts-dejavu-core \
            gcc-avr avr-libc binutils-avr libsimavr-dev libelf-dev libgif-dev time bc \
            desktop-file-utils appstream lintian avrdude arduino-core-avr qt6-serialport-dev qt6-declarative-dev \
            qt6-tools-dev qt6-l10n-tools qt6-translations-l10n clang-format
FUZZ_PACKAGES := clang libclang-rt-14-dev

SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
                 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
                 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
                 QT_QPA_PLATFORM=offscreen

.PHONY: all deps configure build run play test test-sanitize test-threads fuzz bench package pictures clean

all: build

deps:
	@scripts/ensure-packages.sh $(PACKAGES)

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null

build: configure
	@cmake --build $(BUILD_DIR)

run: build
	./$(BUILD_DIR)/ledcube

# Every picture of the README made again from programs recorded through the editor.
pictures: build
	@scripts/make-pictures.sh

# The player beside the editor: `make play FILE=~/D/cube1.c`.
play: build
	./$(BUILD_DIR)/ledcube-play $(FILE)

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
ifneq ($(CI),)
	@$(MAKE) --no-print-directory test-sanitize test-threads fuzz bench
endif

# Every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	@cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLEDCUBE_SANITIZE=ON \
	    -DLEDCUBE_WITH_BENCH=OFF > /dev/null
	@cmake --build $(SANITIZE_DIR)
	cd $(SANITIZE_DIR) && $(SANITIZER_ENV) ctest --output-on-failure -j2 -E DebianPackage

# The player's tests (its engine runs on a worker thread) built with ThreadSanitizer.
# Qt and GLib are not built with it: it cannot see their locks, so what they do
# inside themselves is left out; every access from our code is checked. The
# processes the player starts (avr-gcc, avrdude) are forked from a program with
# threads and run another program at once, which ThreadSanitizer cannot follow.
test-threads: deps
	@cmake -S . -B $(TSAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLEDCUBE_TSAN=ON \
	    -DLEDCUBE_WITH_BENCH=OFF > /dev/null
	@cmake --build $(TSAN_DIR) --target player_tests
	cd $(TSAN_DIR) && TSAN_OPTIONS="halt_on_error=1 ignore_noninstrumented_modules=1 die_after_fork=0" \
	    QT_QPA_PLATFORM=offscreen tests/player_tests

# Each fuzzer for FUZZ_SECONDS, starting from the seed corpus in fuzz/corpus.
fuzz: deps
	@scripts/ensure-packages.sh $(FUZZ_PACKAGES)
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DLEDCUBE_FUZZ=ON \
	    -DLEDCUBE_WITH_UI=OFF -DBUILD_TESTING=OFF > /dev/null
	@cmake --build $(FUZZ_DIR)
	@for target in duration name program; do \
	    work=$$(mktemp -d); \
	    echo "fuzzing $$target for $(FUZZ_SECONDS) s"; \
	    $(FUZZ_DIR)/fuzz_$$target -max_total_time=$(FUZZ_SECONDS) -artifact_prefix=$$work/ \
	        -print_final_stats=1 $$work fuzz/corpus/$$target > $$work/log 2>&1 \
	        || { tail -40 $$work/log; exit 1; }; \
	    grep -E "^Done|stat::number_of_executed_units" $$work/log; \
	    rm -rf $$work; \
	done

# The cost of recording a frame, start-up and memory against a bare Qt window,
# and the player's start, its answer to a growing file and its processor time.
bench: build
	$(BUILD_DIR)/bench/record_frame_bench
	$(BUILD_DIR)/bench/sim_bench
	$(BUILD_DIR)/bench/flash_bench
	QT_QPA_PLATFORM=$${QT_QPA_PLATFORM:-offscreen} $(BUILD_DIR)/bench/player_bench
	QT_QPA_PLATFORM=$${QT_QPA_PLATFORM:-offscreen} $(BUILD_DIR)/bench/player_bench --chip uno
	QT_QPA_PLATFORM=$${QT_QPA_PLATFORM:-offscreen} $(BUILD_DIR)/bench/player_bench --chip uno --compact
	QT_QPA_PLATFORM=$${QT_QPA_PLATFORM:-offscreen} $(BUILD_DIR)/bench/live_bench
	bench/startup.sh $(BUILD_DIR) 25

# `make package MAINTAINER="Name <mail>"` names the maintainer.
package: build
ifneq ($(MAINTAINER),)
	@cmake -S . -B $(BUILD_DIR) -DLEDCUBE_MAINTAINER="$(MAINTAINER)" > /dev/null
	@cmake --build $(BUILD_DIR)
endif
	cd $(BUILD_DIR) && cpack -G DEB

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(TSAN_DIR) $(FUZZ_DIR)

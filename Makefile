# Quick start: `make run` starts the editor, `make test` runs every test.
# Both install the Debian packages they need when missing.

BUILD_DIR ?= build
PACKAGES := cmake ninja-build g++ make libgtest-dev libgmock-dev \
            qt6-base-dev libgl-dev fonts-dejavu-core \
            gcc-avr avr-libc binutils-avr libsimavr-dev libelf-dev pkg-config

.PHONY: all deps configure build run test clean

all: build

deps:
	@scripts/ensure-packages.sh $(PACKAGES)

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null

build: configure
	@cmake --build $(BUILD_DIR)

run: build
	./$(BUILD_DIR)/ledcube

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

clean:
	rm -rf $(BUILD_DIR)

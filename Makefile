# Quillview: `make run` shows the bundled sample, `make test` runs the tests,
# `make package` builds the Debian package (build/quillview_VERSION_ARCH.deb).
# Each sets up the machine first (scripts/setup is quick when nothing is missing).

BUILD_DIR ?= build
JOBS ?= 2
CMAKE_FLAGS ?=
SAMPLE ?= resources/samples/sample.md

.PHONY: setup build run test package clean

setup:
	./scripts/setup

build: setup
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j$(JOBS)

# Chromium refuses to run as root with its sandbox on.
run: build
	$(if $(filter 0,$(shell id -u)),QTWEBENGINE_DISABLE_SANDBOX=1) $(BUILD_DIR)/src/app/quillview $(SAMPLE)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j$(JOBS)

package: build
	cmake --build $(BUILD_DIR) --target package

clean:
	rm -rf $(BUILD_DIR)

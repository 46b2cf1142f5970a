# Quillview: `make run` shows the bundled sample, `make test` runs the tests.
# Both set up the machine first (scripts/setup is quick when nothing is missing).

BUILD_DIR ?= build
JOBS ?= 2
CMAKE_FLAGS ?=
SAMPLE ?= resources/samples/sample.md

.PHONY: setup build run test clean

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

clean:
	rm -rf $(BUILD_DIR)

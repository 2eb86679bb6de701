# Thin wrappers: `make run` opens the editor on a copy of sample/, `make test` runs every
# test, `make bench` the benchmarks. Each installs what is missing first.
BUILD ?= build
JOBS ?= $(shell nproc)
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: deps configure build run test bench clean

deps:
	$(SUDO) scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	scripts/run-sample $(BUILD)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 300

bench: build
	scripts/run-bench $(BUILD)

clean:
	rm -rf $(BUILD)

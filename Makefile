# Top-level entry points. Every target first makes sure the Debian packages are present.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
BENCH_DIR ?= build-release
CCACHE_LAUNCHERS := $(shell command -v ccache >/dev/null 2>&1 && echo "-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache")

.PHONY: deps configure build run test bench install clean

deps:
	@scripts/install-deps

configure: deps
	@test -f $(BUILD_DIR)/CMakeCache.txt || cmake -S . -B $(BUILD_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/bin/vellumpad $(ARGS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) $(CTEST_ARGS)

# Benchmarks build in Release in a directory of their own and need a few more packages.
bench: deps
	@scripts/install-bench-deps
	@test -f $(BENCH_DIR)/CMakeCache.txt || cmake -S . -B $(BENCH_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release $(CCACHE_LAUNCHERS)
	cmake --build $(BENCH_DIR) -j $(JOBS) --target run-benchmarks

install: build
	cmake --install $(BUILD_DIR) $(if $(PREFIX),--prefix $(PREFIX))

clean:
	rm -rf $(BUILD_DIR)

# Top-level entry points. Every target first makes sure the Debian packages are present.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
BENCH_DIR ?= build-release
LAUNCHER := $(shell command -v ccache >/dev/null 2>&1 && \
              echo "-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache")

.PHONY: deps configure build run test test-asan test-tsan bench install clean

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

# Sanitizer builds, each in its own directory: AddressSanitizer with UndefinedBehaviorSanitizer over
# every test, ThreadSanitizer over the tests that render or combine on worker threads.
# $(call sanitizer_test,build dir,CMake option,ctest selection)
define sanitizer_test
	@test -f $(1)/CMakeCache.txt || \
	  cmake -S . -B $(1) $(GENERATOR) $(LAUNCHER) -DCMAKE_BUILD_TYPE=RelWithDebInfo -D$(2)=ON
	cmake --build $(1) -j $(JOBS)
	cd $(1) && ctest --output-on-failure -j $(JOBS) $(3) $(CTEST_ARGS)
endef

test-asan: deps
	$(call sanitizer_test,build-asan,VP_ASAN,)

test-tsan: deps
	$(call sanitizer_test,build-tsan,VP_TSAN,-L threads)

# Benchmarks build in Release in a directory of their own and need a few more packages.
bench: deps
	@scripts/install-bench-deps
	@test -f $(BENCH_DIR)/CMakeCache.txt || cmake -S . -B $(BENCH_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release $(LAUNCHER)
	cmake --build $(BENCH_DIR) -j $(JOBS) --target run-benchmarks

install: build
	cmake --install $(BUILD_DIR) $(if $(PREFIX),--prefix $(PREFIX))

clean:
	rm -rf $(BUILD_DIR)

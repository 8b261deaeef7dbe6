# Top-level entry points. Every target first makes sure the Debian packages are present.
# QT=6 builds against Qt 6 in a folder of its own.
QT ?= 5
ifeq ($(QT),6)
BUILD_DIR ?= build-qt6
endif
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
BENCH_DIR ?= build-release
LAUNCHER := $(shell command -v ccache >/dev/null 2>&1 && \
              echo "-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
# WERROR=1 (CI) makes every warning an error. Given only when asked for, so that a later make run
# keeps the folder's setting and rebuilds nothing.
WERROR_OPTION := $(if $(WERROR),-DVP_WERROR=$(if $(filter 1 ON on yes,$(WERROR)),ON,OFF))
# Configures a folder that has no cache yet, or again when WERROR is given.
# $(call configure_dir,build dir,options)
define configure_dir
	@if [ ! -f $(1)/CMakeCache.txt ] || [ -n "$(WERROR)" ]; then \
	  cmake -S . -B $(1) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(2) $(WERROR_OPTION); fi
endef

.PHONY: deps configure build run test test-asan test-tsan bench install clean format

deps:
	@QT=$(QT) scripts/install-deps

# Editors find compile_commands.json at the top through a link into the build folder.
configure: deps
	$(call configure_dir,$(BUILD_DIR),-DVP_QT=$(QT))
	@test -L compile_commands.json || ln -s $(BUILD_DIR)/compile_commands.json compile_commands.json

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/bin/vellumpad $(ARGS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) $(CTEST_ARGS)

# Sanitizer builds, each in its own directory: AddressSanitizer with UndefinedBehaviorSanitizer over
# every test, ThreadSanitizer over the tests that render or combine on worker threads (and it builds
# only those).
# $(call sanitizer_test,build dir,CMake option,ctest selection,build target)
define sanitizer_test
	$(call configure_dir,$(1),$(LAUNCHER) -D$(2)=ON)
	cmake --build $(1) -j $(JOBS) $(if $(4),--target $(4))
	cd $(1) && ctest --output-on-failure -j $(JOBS) $(3) $(CTEST_ARGS)
endef

test-asan: deps
	$(call sanitizer_test,build-asan,VP_ASAN,)

test-tsan: deps
	$(call sanitizer_test,build-tsan,VP_TSAN,-L threads,vp_threads_tests)

# Benchmarks build in Release in a directory of their own and need a few more packages.
bench: deps
	@scripts/install-bench-deps
	@test -f $(BENCH_DIR)/CMakeCache.txt || cmake -S . -B $(BENCH_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release $(LAUNCHER)
	cmake --build $(BENCH_DIR) -j $(JOBS) --target run-benchmarks

install: build
	cmake --install $(BUILD_DIR) $(if $(PREFIX),--prefix $(PREFIX))

# Applies .clang-format to our sources (scripts/format --check only lists what would change).
format:
	@scripts/install-deps clang-format
	@scripts/format

clean:
	rm -rf $(BUILD_DIR)

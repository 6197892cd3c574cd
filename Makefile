# Tavix: build, run and test on Debian/Ubuntu. `make run` and `make test` do all
# set-up themselves (tools/setup.sh installs what is missing).

BUILD       := build
NATIVE      := $(BUILD)/native
SANITIZE    := $(BUILD)/sanitize
FUZZ        := $(BUILD)/fuzz
WIN         := $(BUILD)/win
DIST        := $(BUILD)/dist
DEPS        := $(BUILD)/deps
CMAKE_GEN   := -G Ninja
FUZZ_SECONDS ?= 20

.PHONY: all setup generated native sanitize ship windows dist run test format-check unit-test sanitize-test wine-test e2e-test fuzz-test run-wine-tests run-e2e-tests bench clean

all: dist

setup:
	@bash tools/setup.sh

# The shipped pictures and sounds, made by the native generators alone.
# Line tables (-g1) are enough for a backtrace and cost a quarter less to compile than -g.
generated: setup
	@cmake -S . -B $(NATIVE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVIX_WERROR=ON \
	    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" >/dev/null
	@cmake --build $(NATIVE) --target shipped_data

native: generated
	@cmake --build $(NATIVE)

sanitize: setup
	@cmake -S . -B $(SANITIZE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DTAVIX_WERROR=ON -DCMAKE_CXX_FLAGS_DEBUG="-g1" \
	    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" >/dev/null
	@cmake --build $(SANITIZE) --target tavix_unit_tests

# What ships (Tavix.exe, the plug-ins) and probe.exe, which `make run` uses.
ship: generated
	@cmake -S . -B $(WIN) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DTAVIX_WERROR=ON \
	    $(if $(TAVIX_WEB_ADDRESS),-DTAVIX_WEB_ADDRESS="$(TAVIX_WEB_ADDRESS)") \
	    -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64.cmake \
	    -DCMAKE_PREFIX_PATH=$(CURDIR)/$(DEPS)/mingw-libpng \
	    -DTAVIX_GENERATED_DIR=$(CURDIR)/$(NATIVE)/data >/dev/null
	@cmake --build $(WIN)

# Everything of the Windows build: what ships and the Wine tests with their plug-ins.
windows: ship
	@cmake --build $(WIN) --target tavix_wine_tests

dist: ship
	@bash tools/make_dist.sh $(WIN) $(NATIVE)/data $(DIST)

run: dist
	@bash tools/run_clock.sh $(DIST)

unit-test: native
	@$(NATIVE)/tavix_unit_tests --gtest_brief=1

sanitize-test: sanitize
	@ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 $(SANITIZE)/tavix_unit_tests --gtest_brief=1

wine-test: windows
	@$(MAKE) --no-print-directory run-wine-tests

e2e-test: dist
	@$(MAKE) --no-print-directory run-e2e-tests

# The Wine and end-to-end tests of what is built, without building it first.
run-wine-tests:
	@bash tools/run_wine_tests.sh $(WIN)/tavix_wine_tests.exe

run-e2e-tests:
	@python3 tests/e2e/run_e2e.py --dist $(DIST) --probe $(WIN)/probe.exe

fuzz-test: setup
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVIX_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ)
	@bash tools/run_fuzzers.sh $(FUZZ) $(FUZZ_SECONDS)

format-check: setup
	@bash tools/check_format.sh

# All of the above; the slow, waiting test stages run beside the builds.
test:
	@bash tools/run_tests.sh

bench: native
	@$(NATIVE)/tavix_bench

clean:
	rm -rf $(NATIVE) $(SANITIZE) $(FUZZ) $(WIN) $(DIST) $(BUILD)/wine-template $(BUILD)/wine-template.lock

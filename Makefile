# Builds, runs and tests TACK*NOTE. `make run` and `make test` first install the Debian packages they need.

BUILD     ?= build
SAN_BUILD ?= build-sanitize
# The installed program and its notes live here, outside the build folders, so no clean or rebuild
# deletes the data file that sits beside the executable.
PREFIX    ?= $(HOME)/.local/share/tacknote
JOBS      ?= $(shell nproc)

PACKAGES := g++ cmake ninja-build qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev \
            fonts-ipafont-gothic libxcb-keysyms1-dev pkg-config
# The fuzz targets are built with clang and libFuzzer, in a build of their own.
FUZZ_PACKAGES := clang-14 libclang-rt-14-dev cmake ninja-build qt6-base-dev
FUZZ_BUILD    ?= build-fuzz
FUZZ_TARGETS  := memo_file settings cp932 skin tokenizer editor
# fuzz-run gives each target FUZZ_TIME seconds, or FUZZ_RUNS inputs when that is set (FUZZ_RUNS=1000000).
FUZZ_TIME     ?= 60
FUZZ_RUNS     ?=
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

CONFIGURE = cmake -S . -B $(1) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(2) >/dev/null

# Installs whatever of the packages in $(1) is missing (apt-get; through sudo when not root).
define INSTALL_MISSING
	@missing=$$(for p in $(1); do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing Debian packages:" $$missing; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

.PHONY: all deps build run test test-sanitize kill-test fuzz-deps fuzz fuzz-run bench clean

all: build

deps:
	$(call INSTALL_MISSING,$(PACKAGES))

build: deps
	$(call CONFIGURE,$(BUILD))
	cmake --build $(BUILD) -j $(JOBS)

# Installs the program into PREFIX (replacing the file, never writing into a running executable), then starts it.
run: deps
	$(call CONFIGURE,$(BUILD))
	cmake --build $(BUILD) -j $(JOBS) --target tacknote
	mkdir -p $(PREFIX)/SKINS
	cp $(BUILD)/src/app/tacknote $(PREFIX)/.tacknote.new && mv -f $(PREFIX)/.tacknote.new $(PREFIX)/tacknote
	if [ -d skins ]; then cp -r skins/. $(PREFIX)/SKINS/; fi
	exec $(PREFIX)/tacknote

test: deps
	$(call CONFIGURE,$(BUILD))
	cmake --build $(BUILD) -j $(JOBS)
	ctest --test-dir $(BUILD) --output-on-failure

# The whole test suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	$(call CONFIGURE,$(SAN_BUILD),-DTACKNOTE_SANITIZE=ON -DTACKNOTE_BENCH=OFF)
	cmake --build $(SAN_BUILD) -j $(JOBS)
	TACKNOTE_FULL_FUZZ=1 ctest --test-dir $(SAN_BUILD) --output-on-failure

# The kill test with 1,000 kills instead of the 100 that `make test` runs.
kill-test: deps
	$(call CONFIGURE,$(BUILD))
	cmake --build $(BUILD) -j $(JOBS) --target store_tests
	TACKNOTE_KILLS=1000 $(BUILD)/tests/store/store_tests --gtest_filter='KillTest.*'

fuzz-deps:
	$(call INSTALL_MISSING,$(FUZZ_PACKAGES))

# The libFuzzer targets of fuzz/ (clang, AddressSanitizer, UndefinedBehaviorSanitizer).
fuzz: fuzz-deps
	cmake -S fuzz -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

# Runs every fuzz target for a bounded time, starting from the seeds the tests make; not part of `make test`.
# What a target finds stays in $(FUZZ_BUILD)/corpus/<target>, a crashing input in $(FUZZ_BUILD)/crash-*.
fuzz-run: fuzz deps
	$(call CONFIGURE,$(BUILD))
	cmake --build $(BUILD) -j $(JOBS) --target platform_tests store_tests image_tests editor_control_tests
	rm -rf $(FUZZ_BUILD)/seeds
	TACKNOTE_SEED_DIR=$(CURDIR)/$(FUZZ_BUILD)/seeds $(BUILD)/tests/platform/platform_tests --gtest_filter='FuzzSeeds.*' >/dev/null
	TACKNOTE_SEED_DIR=$(CURDIR)/$(FUZZ_BUILD)/seeds $(BUILD)/tests/store/store_tests --gtest_filter='FuzzSeeds.*' >/dev/null
	TACKNOTE_SEED_DIR=$(CURDIR)/$(FUZZ_BUILD)/seeds $(BUILD)/tests/image/image_tests --gtest_filter='FuzzSeeds.*' >/dev/null
	TACKNOTE_SEED_DIR=$(CURDIR)/$(FUZZ_BUILD)/seeds $(BUILD)/tests/editor/control/editor_control_tests --gtest_filter='FuzzSeeds.*' >/dev/null
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t; \
	  echo "== fuzz_$$t"; \
	  $(FUZZ_BUILD)/fuzz_$$t $(FUZZ_BUILD)/corpus/$$t $(FUZZ_BUILD)/seeds/$$t \
	    $(if $(FUZZ_RUNS),-runs=$(FUZZ_RUNS),-max_total_time=$(FUZZ_TIME)) -artifact_prefix=$(FUZZ_BUILD)/crash-$$t- \
	    -print_final_stats=1 >$(FUZZ_BUILD)/fuzz_$$t.log 2>&1; rc=$$?; \
	  grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' $(FUZZ_BUILD)/fuzz_$$t.log; \
	  if [ $$rc -ne 0 ]; then tail -n 40 $(FUZZ_BUILD)/fuzz_$$t.log; exit 1; fi; \
	done

bench: build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b || exit 1; done

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(FUZZ_BUILD)

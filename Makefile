# Builds, runs and tests TACK*NOTE. `make run` and `make test` first install the Debian packages they need.

BUILD     ?= build
SAN_BUILD ?= build-sanitize
# The installed program and its notes live here, outside the build folders, so no clean or rebuild
# deletes the data file that sits beside the executable.
PREFIX    ?= $(HOME)/.local/share/tacknote
JOBS      ?= $(shell nproc)

PACKAGES := g++ cmake ninja-build qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev \
            fonts-ipafont-gothic libxcb-keysyms1-dev pkg-config
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

CONFIGURE = cmake -S . -B $(1) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(2) >/dev/null

.PHONY: all deps build run test test-sanitize bench clean

all: build

# Installs whatever of PACKAGES is missing (apt-get; through sudo when not root).
deps:
	@missing=$$(for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing Debian packages:" $$missing; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

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

bench: build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b || exit 1; done

clean:
	rm -rf $(BUILD) $(SAN_BUILD)

# Two entry points for a fresh Debian 12 machine: `make run` and `make test`.
# Both install what is missing, configure and build; the build folder is a
# complete program folder.

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 30
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)

PACKAGES := build-essential cmake qt6-base-dev libgl-dev libjpeg62-turbo-dev \
            libicu-dev libbenchmark-dev libcsv-dev poppler-utils xvfb xauth qt6-translations-l10n \
            fonts-dejavu-core fonts-dejavu-extra fonts-liberation \
             desktop-file-utils xdotool openbox x11-utils x11-xkb-utils clang libclang-rt-14-dev \
             cups-daemon cups-client cups-core-drivers libcups2-dev \
             liblzma-dev zlib1g-dev libqrencode-dev libqt6sql6-sqlite pkgconf zbar-tools qt6-l10n-tools dpkg-dev file lintian appstream

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build run deb test test-plain test-asan test-fuzz bench clean

all: build

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	fi

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELVANA_WERROR=ON

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD) && ./zelvana

# The Debian package $(BUILD)/zelvana_<version>_<arch>.deb (packaging/CMakeLists.txt).
deb: build
	cd $(BUILD) && cpack -G DEB

test: test-plain test-asan test-fuzz

# The programs first, then the tests and benchmarks `make run` leaves out.
test-plain: build
	cmake --build $(BUILD) -j $(JOBS) --target zelvana_tests
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DZELVANA_WERROR=ON -DZELVANA_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target zelvana_tests
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

# libFuzzer targets, each run FUZZ_SECONDS on a copy of its seeds (tests/fuzz/run_fuzz.sh).
test-fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELVANA_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_targets
	bash tests/fuzz/run_fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

bench: build
	cmake --build $(BUILD) -j $(JOBS) --target zelvana_benches
	cd $(BUILD) && for b in bench/bench_*; do \
	  [ -f "$$b" ] && [ -x "$$b" ] || continue; \
	  echo "== $$b"; \
	  if [ -z "$$DISPLAY" ]; then xvfb-run -a "$$b"; else "$$b"; fi; \
	done

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)

# Set-up, build and test on a Debian machine. `make run` and `make test` install what is missing.
BUILD      ?= build
JOBS       ?= $(shell nproc)
PACKAGES   := cmake make g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev libnlopt-cxx-dev \
              qt6-base-dev libqt6opengl6-dev qt6-charts-dev qt6-qpa-plugins libgl-dev fonts-dejavu-core \
              desktop-file-utils qt6-svg-dev poppler-utils \
              python3-dev python3-pybind11 python3-pytest python3-numpy python3-pandas \
              python3-nbclient python3-ipykernel python3-mypy python3-venv python3-pip \
              python3-setuptools python3-wheel
PREFIX     ?= /usr/local
# `make package` also needs dpkg-shlibdeps (dpkg-dev) and file, which CPack calls.
PACKAGE_TOOLS := dpkg-dev file

.PHONY: deps configure build install package test test-sanitize test-thread lint fuzz fuzz-ci fuzz-run run bench clean screenshots

deps:
	@tools/install-deps.sh $(PACKAGES)

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

build: configure
	cmake --build $(BUILD) -j$(JOBS)

# Installs into $(PREFIX) (bin/, share/velmora/, the desktop entry, icon and man page).
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A .deb whose runtime dependencies dpkg-shlibdeps computes from the executables.
package: build
	@tools/install-deps.sh $(PACKAGE_TOOLS)
	cd $(BUILD) && cpack -G DEB

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# Pictures of every page and of the main interactions, for looking at (they check nothing):
# into $(SHOTS) (default /tmp).
SHOTS ?= /tmp
screenshots: build
	cd $(BUILD) && VELMORA_SOURCE_DIR=$(CURDIR) VELMORA_SCREENSHOT_DIR=$(SHOTS) \
	  QT_QPA_PLATFORM=offscreen tools/velmora_screenshots

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer; the first
# finding stops the test that made it. A leak inside Qt or fontconfig (their own caches) would
# be suppressed in .ci/lsan.supp, library frames only; none is needed so far. The window tests
# run one by one: each starts computations on threads of its own, and two instrumented windows
# at once on two cores only slow each other down.
SANITIZE_ENV := ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
                UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
                LSAN_OPTIONS=suppressions=$(CURDIR)/.ci/lsan.supp:print_suppressions=0 \
                QT_QPA_PLATFORM=offscreen

# SANITIZE_WINDOW=OFF leaves the window and its tests out (CI's round, which must stay within
# its hour on two cores: the instrumented window is about a third of the build).
SANITIZE_WINDOW ?= ON

test-sanitize: deps
	cmake -S . -B $(BUILD)-sanitize -DCMAKE_BUILD_TYPE=Release -DVELMORA_SANITIZE=ON \
	  -DVELMORA_BUILD_UI=$(SANITIZE_WINDOW)
	cmake --build $(BUILD)-sanitize -j$(JOBS)
	cd $(BUILD)-sanitize && $(SANITIZE_ENV) ctest --output-on-failure -j$(JOBS) -E '^ui_'
	if [ "$(SANITIZE_WINDOW)" = ON ]; then \
	  cd $(BUILD)-sanitize && $(SANITIZE_ENV) ctest --output-on-failure -R '^ui_'; fi

# The threaded layers (simulation, designspace, optimizer) under ThreadSanitizer: only their
# tests and the velmora-cli they run are built, without the window. TSan's shadow memory needs
# a fixed address layout; setarch -R turns address randomization off for the test runs.
THREAD_LAYERS := simulation designspace optimizer
THREAD_TESTS  := $(foreach d,$(THREAD_LAYERS),$(addprefix $(d)_,$(basename $(notdir \
                 $(wildcard tests/$(d)/*_test.cpp)))))
THREAD_ENV    := TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 QT_QPA_PLATFORM=offscreen

test-thread: deps
	cmake -S . -B $(BUILD)-thread -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_SANITIZE_THREAD=ON \
	  -DVELMORA_BUILD_UI=OFF
	cmake --build $(BUILD)-thread -j$(JOBS) --target velmora-cli $(THREAD_TESTS)
	cd $(BUILD)-thread && $(THREAD_ENV) setarch $$(uname -m) -R ctest --output-on-failure \
	  -j$(JOBS) -R '^($(subst $(eval) ,|,$(THREAD_LAYERS)))_'

# clang-tidy over every source file under src/ (the checks are in .clang-tidy); any finding
# fails. The compile database comes from a clang configuration of its own, re-run each time
# so that files added since the last run are linted too.
TIDY       ?= clang-tidy-14
RUN_TIDY   ?= run-clang-tidy-14

lint:
	$(MAKE) deps PACKAGES="cmake make clang-14 clang-tidy-14 qt6-base-dev qt6-charts-dev qt6-svg-dev libgl-dev"
	cmake -S . -B $(BUILD)-tidy -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	$(RUN_TIDY) -clang-tidy-binary $$(command -v $(TIDY)) -p $(BUILD)-tidy -quiet -j$(JOBS) \
	  '^$(CURDIR)/src/.*\.cpp$$'

# libFuzzer targets (fuzz/*_fuzz.cpp), built with clang into their own folder. Run one with
#   make fuzz-run TARGET=compute_run SECONDS=600
# New inputs go to fuzz/corpus-work/<target>, failing ones to fuzz/corpus-work/<target>-crash-*;
# the seeds in fuzz/corpus/<target> are only read.
TARGET     ?= number_text
SECONDS    ?= 60

fuzz:
	$(MAKE) deps PACKAGES="cmake make clang-14 libclang-rt-14-dev libgtest-dev qt6-base-dev qt6-svg-dev \
	  libnlopt-cxx-dev pkg-config"
	CC=clang CXX=clang++ cmake -S fuzz -B $(BUILD)-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD)-fuzz -j$(JOBS)
	for t in $(BUILD)-fuzz/*_fuzz_regressions_test; do VELMORA_SOURCE_DIR=$(CURDIR) $$t --gtest_brief=1 || exit 1; done

# CI's short round: the command-line grammar fuzzer for a minute from its seeds (it needs Qt
# and NLopt, which `make test` installs), after the regression tests of `make fuzz`.
fuzz-ci: fuzz
	$(MAKE) fuzz-run TARGET=cli_args SECONDS=60

fuzz-run: fuzz
	mkdir -p fuzz/corpus-work/$(TARGET)
	./$(BUILD)-fuzz/$(TARGET)_fuzz -max_total_time=$(SECONDS) -timeout=10 -rss_limit_mb=2048 \
	  -print_final_stats=1 -artifact_prefix=fuzz/corpus-work/$(TARGET)-crash- \
	  fuzz/corpus-work/$(TARGET) fuzz/corpus/$(TARGET)

run: build
	./$(BUILD)/bin/velmora

bench: deps
	cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_BENCH=ON
	cmake --build $(BUILD)-bench -j$(JOBS)
	cd $(BUILD)-bench && for b in bench/bin/*; do QT_QPA_PLATFORM=offscreen $$b; done

clean:
	rm -rf $(BUILD) $(BUILD)-bench $(BUILD)-sanitize $(BUILD)-thread $(BUILD)-tidy $(BUILD)-fuzz

# Set-up, build and test on a Debian machine. `make run` and `make test` install what is missing.
BUILD      ?= build
JOBS       ?= $(shell nproc)
PACKAGES   := cmake make g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
              qt6-base-dev qt6-charts-dev qt6-qpa-plugins libgl-dev fonts-dejavu-core
SUDO       := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)

.PHONY: deps configure build test run bench clean

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

build: configure
	cmake --build $(BUILD) -j$(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

run: build
	./$(BUILD)/bin/velmora

bench: deps
	cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_BENCH=ON
	cmake --build $(BUILD)-bench -j$(JOBS)
	cd $(BUILD)-bench && for b in bench/bin/*; do QT_QPA_PLATFORM=offscreen $$b; done

clean:
	rm -rf $(BUILD) $(BUILD)-bench

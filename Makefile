# Quorvel Laser Editor: `make run` starts the editor, `make test` runs every test.
BUILD ?= build
JOBS ?= $(shell nproc)
PACKAGES := cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins \
            libgl-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core fonts-liberation2 \
            libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth clang-format
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: deps build run test bench format-check clean

# Installs only what is missing, so a second run is quick and needs no network.
deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/quorvel

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# The layout .clang-format describes; tests keep their hand-aligned tables.
format-check: deps
	clang-format --dry-run --Werror $$(git ls-files 'src/*.cpp' 'src/*.h' 'bench/*.cpp' 'bench/*.h')

bench: build
	$(BUILD)/bench/quorvel_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

clean:
	rm -rf $(BUILD)

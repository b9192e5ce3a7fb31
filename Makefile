# SPDX-License-Identifier: GPL-3.0-or-later
# Quorvel Laser Editor: `make run` starts the editor, `make test` runs every test.
BUILD ?= build
JOBS ?= $(shell nproc)
PACKAGES := cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-svg-dev \
            libgl-dev libfreetype-dev libfontconfig-dev zlib1g-dev fonts-dejavu-core fonts-liberation2 \
            libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth clang-format \
            desktop-file-utils libxml2-utils adwaita-icon-theme appstream file dpkg-dev \
            qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: deps build run test test-asan fuzz fuzz-merge bench format-check install package translations clean

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

# Every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer: any report fails.
ASAN_BUILD ?= build-asan
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_SANITIZE=ON -DQUORVEL_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=abort_on_error=1:detect_leaks=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers.supp UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j$(JOBS)

# Each fuzz target for FUZZ_SECONDS (60 by default), starting from the committed corpus; what
# it grows stays in the build folder until `make fuzz-merge` adds the inputs that add coverage.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := IldaReader Settings Palette GlyphWalk SvgImport IdnReply
fuzz:
	$(MAKE) deps PACKAGES="$(PACKAGES) clang libclang-rt-14-dev"
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_FUZZ=ON -DQUORVEL_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))
	for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t && \
	  TMPDIR=$${TMPDIR:-/dev/shm} $(FUZZ_BUILD)/tests/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) \
	    -timeout=10 -rss_limit_mb=4096 $$(test -f tests/fuzz/$$t.dict && echo -dict=tests/fuzz/$$t.dict) \
	    $(FUZZ_BUILD)/corpus/$$t tests/fuzz/corpus/$$t || exit 1; \
	done

fuzz-merge:
	for t in $(FUZZ_TARGETS); do \
	  $(FUZZ_BUILD)/tests/fuzz/fuzz_$$t -merge=1 -max_len=8192 tests/fuzz/corpus/$$t $(FUZZ_BUILD)/corpus/$$t || exit 1; \
	done

# The layout .clang-format describes; tests keep their hand-aligned tables.
format-check: deps
	clang-format --dry-run --Werror $$(git ls-files 'src/*.cpp' 'src/*.h' 'bench/*.cpp' 'bench/*.h')

bench: build
	$(BUILD)/bench/quorvel_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

# `make install PREFIX=/usr/local` (the default), or anywhere a user may write, such as
# PREFIX=$$HOME/.local. The desktop's caches of the folders it installed into are brought up to
# date where their tools are there, so .ild files open with a double click at once.
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)
	! command -v update-mime-database >/dev/null || update-mime-database $(PREFIX)/share/mime
	! command -v update-desktop-database >/dev/null || update-desktop-database $(PREFIX)/share/applications
	! command -v gtk-update-icon-cache >/dev/null || gtk-update-icon-cache -q -t -f $(PREFIX)/share/icons/hicolor

# A Debian package in $(BUILD); its dependencies come from dpkg-shlibdeps. Its files carry the
# time of the last commit, so two builds of one commit give the same bytes.
package: build
	$(MAKE) deps PACKAGES="dpkg-dev file"
	cd $(BUILD) && SOURCE_DATE_EPOCH=$$(git log -1 --format=%ct) cpack -G DEB

# Every text of src/ into each translations/quorvel_LANG.ts, for Qt Linguist; a new language
# starts with `make translations LANGS=fr` (see README).
translations: deps
	/usr/lib/qt6/bin/lupdate -no-obsolete -locations none src -ts $(sort $(wildcard translations/quorvel_*.ts) $(foreach l,$(LANGS),translations/quorvel_$(l).ts))

clean:
	rm -rf $(BUILD)

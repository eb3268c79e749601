# Vaultrine desktop suite: the three commands a developer needs.
#   make test   install what is missing, build native/win64/win32, run every test
#   make test-i686  the Wine tests of the i686 build (dist/) under a WoW64 Wine, built once
#               by scripts/wow64-wine; make test runs them too when that Wine is there
#   make demo   build, assemble dist/, run the suite under Wine, keep screenshots in demo-out/
#   make run    open the launcher under Wine on the current display
#   make dist   the program folders dist/ (32-bit) and dist-x64/, with the user guides
#   make installer  build/installer/VaultrineSuite-1.92-setup.exe, wrapping dist/
#   make fuzz   every libFuzzer target for FUZZ_SECONDS (600) each, FUZZ_JOBS (2) at a time
#   make bench  the benchmarks against their reference tools; writes bench/README.md
SHELL := /bin/bash
PRESETS := native win64 win32

.PHONY: all bootstrap configure build test test-i686 dist installer demo run bench fuzz clean

all: build

bootstrap:
	@scripts/bootstrap

configure: bootstrap
	@for p in $(PRESETS); do \
	  if [[ ! -f build/$$p/build.ninja ]]; then cmake --preset $$p >/dev/null || exit 1; fi; \
	done

build: configure
	@for p in $(PRESETS); do echo "== build $$p"; cmake --build --preset $$p || exit 1; done

test: build
	@status=0; \
	echo "== native tests (ASan/UBSan)"; ctest --preset native --output-on-failure || status=1; \
	echo "== win32 binary checks"; ctest --test-dir build/win32 -LE wine --output-on-failure || status=1; \
	echo "== program folders and installer"; \
	{ scripts/assemble-dist && scripts/build-installer --wine-twin && tests/package/check_dist.py .; } || status=1; \
	echo "== win64 tests under Wine"; scripts/wine-session ctest --preset win64 --output-on-failure || status=1; \
	echo "== win64 tests under Wine at 144 dpi (the installer's round trip once is enough)"; \
	WINEPREFIX="$(CURDIR)/build/wineprefix-144" VAULTRINE_DPI=144 \
	  scripts/wine-session ctest --preset win64 -E package --output-on-failure || status=1; \
	if scripts/wow64-wine --path >/dev/null; then \
	  echo "== i686 tests under the WoW64 Wine"; $(I686_TESTS) || status=1; \
	else echo "== i686 tests skipped: no usable WoW64 Wine in the cache; scripts/wow64-wine builds one (~80 min; see its header for why 8.0's is refused)"; fi; \
	exit $$status

# The i686 build, what dist/ ships and the engines load, under the WoW64 Wine in a prefix
# of its own (build/wineprefix-i686); needs dist/ and the 32-bit installer.
I686_TESTS := scripts/wine-session --i686 ctest --preset i686
test-i686:
	@scripts/wow64-wine --path >/dev/null || { echo "test-i686: no usable WoW64 Wine in the cache; see scripts/wow64-wine"; exit 1; }
	@$(MAKE) --no-print-directory build
	@scripts/assemble-dist && scripts/build-installer --wine-twin
	@$(I686_TESTS)

dist: build
	@scripts/assemble-dist

installer: dist
	@scripts/build-installer

demo: dist
	@scripts/demo

# From its own folder, as the Start-menu shortcut does: the launcher finds its catalog
# and its guides there.
run: dist
	@cd dist-x64 && ../scripts/wine-run TopVaultrine.exe

# The fuzz targets come from the sanitized native build; scripts/fuzz runs them and
# writes build/fuzz/summary.md.
fuzz: bootstrap
	@if [[ ! -f build/native/build.ninja ]]; then cmake --preset native >/dev/null || exit 1; fi
	@cmake --build --preset native --target fuzzers
	@scripts/fuzz

# Benchmarks get an unsanitized Release build of their own so the timings are honest;
# run_benchmarks runs them one at a time and writes bench/README.md.
bench: bootstrap
	@cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVAULTRINE_SANITIZE=OFF -DVAULTRINE_GUIDES=OFF \
	  -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ >/dev/null
	@cmake --build build/bench -j2 --target run_benchmarks

clean:
	rm -rf build dist dist-x64 demo-out

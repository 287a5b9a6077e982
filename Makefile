# The two commands: `make run` and `make test`. Everything else is a helper of those.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= 2
GAME       := game
PREFIX     ?= /usr/local
WIN_BUILD  ?= build-windows
WEB_BUILD  ?= build-web

.PHONY: run test build deps assets stage unit shuffle asan window smoke bench fuzz clean \
	install uninstall package xcheck crosscheck windows windows-test web web-test

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release > /dev/null
	@cmake --build $(BUILD) -j$(JOBS)

# Stages the playable folder; Config.txt and hiscores.dat in it are never touched.
stage: build
	@mkdir -p $(GAME)
	@$(BUILD)/assetgen $(GAME)
	@cp $(BUILD)/vexlume2 $(GAME)/vexlume2

run: stage
	cd $(GAME) && ./vexlume2

unit: build stage
	@cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

# The headless suite in one process, in three random orders: no test leans on another.
shuffle: build stage
	@for s in 1 2 3; do \
	  (cd $(BUILD) && VEX_GAME_DIR=$(CURDIR)/$(GAME) ./vexlume_tests --gtest_shuffle \
	    --gtest_random_seed=$$s --gtest_brief=1 > shuffle-$$s.log 2>&1) || \
	  { tail -40 $(BUILD)/shuffle-$$s.log; echo "shuffled run $$s failed"; exit 1; }; \
	  tail -1 $(BUILD)/shuffle-$$s.log; \
	done

asan: deps stage
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVEX_SANITIZE=ON -DVEX_TESTS_ONLY=ON > /dev/null
	@cmake --build $(ASAN_BUILD) -j$(JOBS)
	@cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j$(JOBS)

window: stage
	@tests/smoke/run-window-tests $(BUILD) $(GAME)

test: unit shuffle asan window xcheck
	@echo "make test: all suites passed"

# The golden games played by a second build: another compiler, tuned for a CPU with fused
# multiply-add (AVX2/FMA), or for this CPU when it has none. Only the verifier is built.
XBUILD ?= build-clang
XCXX   ?= clang++
XFLAGS ?= $(shell grep -qw avx2 /proc/cpuinfo && grep -qw fma /proc/cpuinfo && \
	echo -march=x86-64-v3 || echo -march=native)
xcheck: deps
	@echo "xcheck: $(XCXX) -O3 $(XFLAGS)"
	@cmake -S . -B $(XBUILD) -DCMAKE_CXX_COMPILER=$(XCXX) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_CXX_FLAGS="$(XFLAGS)" -DVEX_VERIFY_ONLY=ON > /dev/null
	@cmake --build $(XBUILD) -j$(JOBS)
	@scripts/verify-golden $(XBUILD)

# The golden games on 64-bit ARM: cross-built, played under qemu-user (scripts/install-arm64-deps).
ARM_BUILD ?= build-arm64
ARM_FLAGS ?=
crosscheck:
	@scripts/install-arm64-deps
	@PKG_CONFIG_LIBDIR=/usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig \
	  cmake -S . -B $(ARM_BUILD) --toolchain $(CURDIR)/cmake/aarch64-linux-gnu.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS="$(ARM_FLAGS)" -DVEX_VERIFY_ONLY=ON > /dev/null
	@cmake --build $(ARM_BUILD) -j$(JOBS)
	@scripts/verify-golden $(ARM_BUILD) qemu-aarch64 -L /usr/aarch64-linux-gnu

# The whole-frame scenes need a screen that holds a 1920 x 1080 window.
bench: stage
	@VEX_XVFB_SCREEN=1920x1200x24 tests/smoke/xvfb-wrap $(BUILD)/vexlume_bench --benchmark_counters_tabular=true

fuzz: deps
	@scripts/fuzz

# Under PREFIX (and DESTDIR, when set): bin/vexlume2, share/vexlume2/ and the desktop's files.
# CMake's list of what it wrote is copied for uninstall: the tests' and cpack's own installs
# write that list again.
install: stage
	@cmake --install $(BUILD) --prefix $(PREFIX)
	@cp $(BUILD)/install_manifest.txt $(BUILD)/installed-files.txt

# Removes the files the last install wrote (give it the same DESTDIR: the list is without it),
# then the game's own folders they leave empty.
uninstall:
	@[ -f $(BUILD)/installed-files.txt ] || { echo "uninstall: nothing installed from $(BUILD)"; exit 1; }
	@sed 's|^|$(DESTDIR)|' $(BUILD)/installed-files.txt | xargs -d '\n' rm -f --
	@sed -n 's|^\(.*/share/\(doc/\)\{0,1\}vexlume2\)/.*|$(DESTDIR)\1|p' $(BUILD)/installed-files.txt | \
	  sort -u | while read -r d; do [ ! -d "$$d" ] || find "$$d" -depth -type d -empty -delete; done
	@echo "uninstall: removed $$(grep -c '' $(BUILD)/installed-files.txt) files"
	@rm -f $(BUILD)/installed-files.txt

# A Debian package of the game under /usr, its dependencies read from the program's libraries.
package: build
	@cd $(BUILD) && cpack -G DEB

# The Windows zip, cross-built with mingw-w64; the native build draws its assets and icon.
windows: deps
	@scripts/install-deps --windows
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release > /dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target assetgen vexlume2
	@JOBS=$(JOBS) scripts/package-windows $(BUILD) $(WIN_BUILD)

# The zip's program under Wine on Xvfb, checked against the Linux program.
windows-test: windows
	@tests/wine/run-wine-tests $(BUILD) $(WIN_BUILD)

# The game as a web page in $(WEB_BUILD)/site/; the native assetgen draws its files. The
# browser's libraries build once into the cache outside the checkout (scripts/build-web-deps).
web:
	@scripts/install-deps --web
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release > /dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target assetgen vexlume2
	@scripts/build-web $(BUILD) $(WEB_BUILD)

# The page in headless Chromium, and the golden games in the wasm build under node.
web-test: web
	@scripts/web-test $(BUILD) $(WEB_BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(XBUILD) $(ARM_BUILD) $(WIN_BUILD) $(WEB_BUILD)
	rm -rf $(GAME)/vexlume2 $(GAME)/gfx $(GAME)/sounds $(GAME)/music

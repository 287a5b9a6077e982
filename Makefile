# The two commands: `make run` and `make test`. Everything else is a helper of those.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= 2
GAME       := game

.PHONY: run test build deps assets stage unit shuffle asan window smoke bench fuzz clean

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

test: unit shuffle asan window
	@echo "make test: all suites passed"

# The whole-frame scenes need a screen that holds a 1920 x 1080 window.
bench: stage
	@VEX_XVFB_SCREEN=1920x1200x24 tests/smoke/xvfb-wrap $(BUILD)/vexlume_bench --benchmark_counters_tabular=true

fuzz: deps
	@scripts/fuzz

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
	rm -rf $(GAME)/vexlume2 $(GAME)/gfx $(GAME)/sounds $(GAME)/music

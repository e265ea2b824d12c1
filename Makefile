# The two commands of the README, and a few more for developers.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: setup build run test soak sanitize bench footprint format clean

setup:
	@bash scripts/setup.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/velto

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# One soak of any length: make soak SEED=7 HOURS=500
SEED ?= 1
HOURS ?= 48
soak: build
	cd $(BUILD) && env QT_QPA_PLATFORM=offscreen TZ=Europe/Berlin LANG=C.UTF-8 \
	  XDG_RUNTIME_DIR=$(CURDIR)/$(BUILD)/tests/runtime VELTO_SOAK_SEED=$(SEED) \
	  VELTO_SOAK_HOURS=$(HOURS) ./tests/velto_soak --gtest_filter=Soak.Chosen

bench: build
	./$(BUILD)/bench/velto_bench
	./$(BUILD)/bench/velto_ticker_lateness
	bash bench/ring_latency.sh $(BUILD)

footprint: build
	bash bench/footprint.sh $(BUILD)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)

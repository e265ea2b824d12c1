# The two commands of the README, and a few more for developers.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: setup build run test package bench footprint format clean

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

# A Debian package of what `cmake --install` puts in place, beside the build.
package: build
	cd $(BUILD) && cpack -G DEB

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

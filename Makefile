# The two commands of the README, and a few more for developers.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
# A unity build compiles a few of our sources as one, which parses Qt's headers once for them
# all: a fresh build and the lint take half the time. `make UNITY=OFF ...` in a folder of its
# own builds each source alone. ccache is used where it is installed.
UNITY ?= ON
CONFIGURE = -DCMAKE_UNITY_BUILD=$(UNITY) \
  $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

.PHONY: setup build run test unit lint tzcheck package soak sanitize bench footprint format clean

setup:
	@bash scripts/setup.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CONFIGURE)

build: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/velto

# The end-to-end checks mostly wait for the program, so more of them run at once than there
# are cores: twice as many.
TEST_JOBS ?= $(shell echo $$(( $(JOBS) * 2 )))
test: build
	cd $(BUILD) && ctest --output-on-failure -j $(TEST_JOBS)

# The unit tests as one process, in a few seconds, so that one test cannot lean on what
# another left behind; `make unit GTEST_ARGS=--gtest_shuffle` in a random order (CI does).
# `ctest -L unit|e2e|hostile|sound` runs one kind of the whole set.
# The tests' environment is written once, by tests/CMakeLists.txt, to build/tests/test.env
# (read from inside the build folder).
TEST_ENV = $$(cat tests/test.env)
GTEST_ARGS ?=
unit: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target velto_tests
	cd $(BUILD) && env $(TEST_ENV) ./tests/velto_tests --gtest_brief=1 $(GTEST_ARGS)

# clang-tidy (the checks of .clang-tidy) over every .cpp of ours, $(JOBS) at a time; any
# finding fails. The build makes the compile database and the moc files that clang-tidy reads.
lint: build
	bash scripts/lint.sh $(BUILD) $(JOBS)

# A Debian package of what `cmake --install` puts in place, beside the build.
package: build
	cd $(BUILD) && cpack -G DEB

# The time rules in every zone of the tz database, against Python's zoneinfo, over every
# change of offset this year and next (`make tzcheck YEARS="2026 2027"` for others).
YEARS ?=
tzcheck: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target velto_tzcheck
	python3 tests/tzcheck/oracle.py $(if $(YEARS),--years $(YEARS)) | ./$(BUILD)/tests/velto_tzcheck

# One soak of any length: make soak SEED=7 HOURS=500
SEED ?= 1
HOURS ?= 48
soak: build
	cd $(BUILD) && env $(TEST_ENV) VELTO_SOAK_SEED=$(SEED) VELTO_SOAK_HOURS=$(HOURS) \
	  ./tests/velto_soak --gtest_filter=Soak.Chosen

# The unit tests, the soak and the random input under AddressSanitizer, UndefinedBehavior-
# Sanitizer and LeakSanitizer, in a build folder of their own; any report fails the run. The
# sound tests run with full stacks on every allocation, which the suppressions of Qt
# Multimedia's own leaks need (tests/sanitize/lsan.supp) and which is too slow for the rest.
# The other unit tests run as one process (a start under the sanitizers costs more than most
# tests), the soak, the random input and the zone check each as their own.
ASAN_BUILD ?= build-asan
SANITIZE_ENV = UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitize/lsan.supp:print_suppressions=0
ASAN_OPTS = halt_on_error=1:detect_leaks=1:strict_string_checks=1
sanitize: setup
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug $(CONFIGURE) -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
	  -DVELTO_SANITIZE=ON -DVELTO_BENCH=OFF -DVELTO_E2E=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target velto_tests velto_soak velto_random_input \
	  velto_tzcheck
	cd $(ASAN_BUILD) && env $(SANITIZE_ENV) ASAN_OPTIONS=$(ASAN_OPTS):fast_unwind_on_malloc=0 \
	  ctest --output-on-failure -j $(JOBS) -R '^Sound\.'
	cd $(ASAN_BUILD) && env $(SANITIZE_ENV) ASAN_OPTIONS=$(ASAN_OPTS) $(TEST_ENV) \
	  ./tests/velto_tests --gtest_brief=1 --gtest_filter=-Sound.*
	cd $(ASAN_BUILD) && env $(SANITIZE_ENV) ASAN_OPTIONS=$(ASAN_OPTS) \
	  ctest --output-on-failure -j $(JOBS) -E '^(style|Sound)\.' -LE '^unit$$'
	cd $(ASAN_BUILD) && env $(SANITIZE_ENV) ASAN_OPTIONS=$(ASAN_OPTS) \
	  ctest --output-on-failure -R '^unit\.two_screens$$'

bench: build
	./$(BUILD)/bench/velto_bench
	./$(BUILD)/bench/velto_ticker_lateness
	bash tests/sound/ring_latency.sh $(BUILD)
	bash bench/menu_latency.sh $(BUILD)

footprint: build
	bash bench/footprint.sh $(BUILD)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)

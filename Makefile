# The two commands a user needs: `make demo` draws a sample part, `make test`
# runs the whole test suite. Both install what is missing and build first.
JOBS ?= 2
PREFIX ?= /usr/local
BUILD ?= build
BUILD_SAN ?= build-sanitize
CMAKE_FLAGS ?=

.PHONY: all deps configure build demo install test test-sanitize format format-check ci clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQZDBS_WERROR=ON $(CMAKE_FLAGS)

configure: $(BUILD)/CMakeCache.txt

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

demo: build
	@scripts/demo.sh $(BUILD)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-sanitize: deps
	cmake -S . -B $(BUILD_SAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQZDBS_WERROR=ON -DQZDBS_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD_SAN) -j $(JOBS)
	cd $(BUILD_SAN) && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check: deps
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

ci: format-check test test-sanitize

clean:
	rm -rf $(BUILD) $(BUILD_SAN)

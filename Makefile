# make run   - install what is missing, build, start the program
# make test  - install what is missing, build, run every test
JOBS ?= $(shell nproc)

.PHONY: deps build run test test-sanitize fuzz clean

deps:
	@bash scripts/install-deps

build: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build build -j $(JOBS)

run: build
	./build/vexolan $(ARGS)

test: build
	cd build && ctest --output-on-failure -j $(JOBS)

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVEXOLAN_SANITIZE=ON >/dev/null
	cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# Every libFuzzer target of tests/fuzz, built with clang, FUZZ_SECONDS (default 60) each.
fuzz: deps
	bash scripts/run-fuzzers

clean:
	rm -rf build build-sanitize build-fuzz

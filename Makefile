# make run   - install what the program needs, build the program alone and start it
# make test  - install what the tests need, build everything and run every test
# Both use the folder build/; either may follow the other.
JOBS ?= $(shell nproc)
BUILD_TYPE ?= RelWithDebInfo

.PHONY: run test program test-sanitize fuzz clean

program:
	@bash scripts/install-deps run
	cmake -S . -B build -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DVEXOLAN_TESTS=OFF >/dev/null
	cmake --build build -j $(JOBS) --target vexolan

run: program
	./build/vexolan $(ARGS)

test:
	@bash scripts/install-deps test
	cmake -S . -B build -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DVEXOLAN_TESTS=ON >/dev/null
	cmake --build build -j $(JOBS)
	cd build && ctest --output-on-failure -j $(JOBS)

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize:
	@bash scripts/install-deps test
	cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVEXOLAN_SANITIZE=ON -DVEXOLAN_TESTS=ON >/dev/null
	cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# Every libFuzzer target of tests/fuzz, built with clang, FUZZ_SECONDS (default 60) each.
fuzz:
	@bash scripts/install-deps test
	bash scripts/run-fuzzers

clean:
	rm -rf build build-sanitize build-fuzz

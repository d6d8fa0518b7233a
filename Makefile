# make run   installs what is missing, builds and starts the program
# make test  installs what is missing, builds with sanitizers and -Werror, runs every test headless

BUILD      := build
TEST_BUILD := build-test
BENCH_BUILD:= build-bench
JOBS       ?= $(shell nproc)


.PHONY: run test deps build bench format format-check clean

deps:
	@tools/install-deps

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRENVOLO_BENCH=OFF

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) --target brenvolo brenvolo-cli -j $(JOBS)

run: build
	@tools/run-program $(BUILD)

$(TEST_BUILD)/build.ninja: | deps
	cmake -S . -B $(TEST_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBRENVOLO_SANITIZE=ON -DBRENVOLO_WERROR=ON

# Test discovery runs the test programs at build time: they need the offscreen platform too.
test: deps $(TEST_BUILD)/build.ninja
	QT_QPA_PLATFORM=offscreen cmake --build $(TEST_BUILD) -j $(JOBS)
	cmake --build $(TEST_BUILD) --target format-check
	cd $(TEST_BUILD) && QT_QPA_PLATFORM=offscreen \
	    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRENVOLO_BENCH=ON
	cmake --build $(BENCH_BUILD) --target brenvolo_bench -j $(JOBS)
	$(BENCH_BUILD)/bench/brenvolo_bench

format: $(BUILD)/build.ninja
	cmake --build $(BUILD) --target format

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(BENCH_BUILD)

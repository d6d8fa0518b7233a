# make run   installs what is missing, builds and starts the program
# make test  installs what is missing, builds with sanitizers and -Werror, runs every test headless
# make deb   builds the Debian package in build-deb/ and checks it with lintian
# make screenshots  takes the README's pictures of the program into docs/screenshots/
# make fuzz  builds the fuzz targets with clang in build-fuzz/ and runs each FUZZ_SECONDS (default 600)
# make format / make format-check  formats the C++ sources / checks their formatting

BUILD      := build
TEST_BUILD := build-test
BENCH_BUILD:= build-bench
DEB_BUILD  := build-deb
FUZZ_BUILD := build-fuzz
FUZZ_SECONDS ?= 600
JOBS       ?= $(shell nproc)
# The end-to-end tests spend most of their time waiting on the program in real
# time, so the tests run two to a core.
TEST_JOBS  ?= $(shell echo $$(( $(JOBS) * 2 )))
# ccache keeps the compiled objects of earlier builds, whichever clone or build
# folder made them; the base dir makes a clone's own paths relative, so another
# clone of the same sources hits the same entries, whichever its build folder.
CCACHE     := $(shell command -v ccache 2>/dev/null)
LAUNCHER   := $(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE) -DCMAKE_C_COMPILER_LAUNCHER=$(CCACHE))
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1


.PHONY: run test deps build bench deb fuzz screenshots format format-check clean

deps:
	@tools/install-deps

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja $(LAUNCHER) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRENVOLO_BENCH=OFF

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) --target brenvolo brenvolo-cli brenvolo_desktop_files -j $(JOBS)

run: build
	@tools/run-program $(BUILD)

$(TEST_BUILD)/build.ninja: | deps
	cmake -S . -B $(TEST_BUILD) -G Ninja $(LAUNCHER) -DCMAKE_BUILD_TYPE=Debug -DBRENVOLO_SANITIZE=ON -DBRENVOLO_WERROR=ON

# The formatting is checked first: it needs no build. Test discovery runs the
# test programs at build time: they need the offscreen platform too.
test: deps format-check $(TEST_BUILD)/build.ninja
	QT_QPA_PLATFORM=offscreen cmake --build $(TEST_BUILD) -j $(JOBS)
	cd $(TEST_BUILD) && QT_QPA_PLATFORM=offscreen \
	    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --output-on-failure -j $(TEST_JOBS)

bench: deps
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRENVOLO_BENCH=ON
	cmake --build $(BENCH_BUILD) --target brenvolo_bench -j $(JOBS)
	$(BENCH_BUILD)/bench/brenvolo_bench

# A release build with all of Debian's hardening flags, installed below /usr;
# the package's dependencies come from the libraries the binaries link.
deb: deps
	@tools/install-deps dpkg-dev file lintian
	export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
	cmake -S . -B $(DEB_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
	    -DBRENVOLO_TESTS=OFF -DBRENVOLO_BENCH=OFF \
	    -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
	    -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)"
	cmake --build $(DEB_BUILD) -j $(JOBS)
	cd $(DEB_BUILD) && cpack -G DEB
	lintian --fail-on error $(DEB_BUILD)/brenvolo_*.deb
	@echo "The package: $$(ls $(DEB_BUILD)/brenvolo_*.deb)"

# The README's pictures, from the real program on a virtual display.
screenshots: build
	@tools/install-deps openbox
	tools/screenshots $(BUILD)

# libFuzzer and its sanitizers come with clang; the targets run JOBS at a time.
$(FUZZ_BUILD)/build.ninja: | deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja $(LAUNCHER) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
	    -DBRENVOLO_FUZZ=ON -DBRENVOLO_TESTS=OFF -DBRENVOLO_BENCH=OFF

fuzz: deps $(FUZZ_BUILD)/build.ninja
	cmake --build $(FUZZ_BUILD) --target brenvolo_fuzz -j $(JOBS)
	nice -n 10 tools/run-fuzz $(FUZZ_BUILD) $(FUZZ_SECONDS) $(JOBS)

# The C++ sources git knows of (every source below the tree without git).
FORMAT_FILES = $(shell git ls-files --cached --others --exclude-standard '*.cpp' '*.h' 2>/dev/null || \
    find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)

format: deps
	clang-format -i $(FORMAT_FILES)

format-check: deps
	clang-format --dry-run --Werror $(FORMAT_FILES)

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(BENCH_BUILD) $(DEB_BUILD) $(FUZZ_BUILD)

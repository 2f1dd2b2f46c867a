# The two commands of README.md: `make demo` and `make test`.
JOBS ?= $(shell nproc)
CMAKE_GEN := -G Ninja
NATIVE := build/native
ASAN := build/sanitize
MINGW32 := build/mingw-i686
MINGW64 := build/mingw-x86_64
FUZZ := $(ASAN)/fuzz
# Seconds each fuzz target runs: long for make fuzz, short for the stage of make test.
FUZZ_SECONDS ?= 600
FUZZ_SHORT_SECONDS ?= 15

# One compiler cache for every clone on this machine (scripts/ccache.sh, the launcher of every tree).
export CCACHE_DIR ?= $(HOME)/.cache/vireo-ccache
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=$(CURDIR)/scripts/ccache.sh)
# Debug information names the checkout relative to itself, so cached objects fit any clone.
PREFIX_MAP := -DCMAKE_CXX_FLAGS=-fdebug-prefix-map=$(CURDIR)=.

.PHONY: all demo test deps deps-native deps-fuzz native asan mingw check-native check-asan check-wine screenshot \
	format clean dist fuzz fuzz-short fuzz-build

all: native

deps:
	@scripts/install-deps.sh all

deps-native:
	@scripts/install-deps.sh native

deps-fuzz:
	@scripts/install-deps.sh fuzz

# Each tree is configured once; later builds only run ninja (which reconfigures by itself when a
# CMakeLists.txt changes), so no toolchain file is handed to an existing tree again.
$(NATIVE)/build.ninja:
	cmake -S . -B $(NATIVE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER) $(PREFIX_MAP) >/dev/null

# The sanitized tree: clang with AddressSanitizer, UndefinedBehaviorSanitizer and libFuzzer's coverage, at -O1
# with line tables (enough for every report's stack); its tests and the fuzz targets share its objects.
# No precompiled header here: clang's embeds the checkout's path, so in a fresh clone every test source that
# used it missed the compiler cache; without it they are all found there.
$(ASAN)/build.ninja:
	cmake -S . -B $(ASAN) $(CMAKE_GEN) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
		'-DCMAKE_CXX_FLAGS_DEBUG=-O1 -gline-tables-only' -DVIREO_SANITIZE=ON -DVIREO_FUZZ=ON -DVIREO_PCH=OFF \
		$(LAUNCHER) $(PREFIX_MAP) >/dev/null

$(MINGW32)/build.ninja:
	cmake -S . -B $(MINGW32) $(CMAKE_GEN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
		-DCMAKE_BUILD_TYPE=Release $(LAUNCHER) >/dev/null

$(MINGW64)/build.ninja:
	cmake -S . -B $(MINGW64) $(CMAKE_GEN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
		-DCMAKE_BUILD_TYPE=Release $(LAUNCHER) >/dev/null

native: deps-native
	@$(MAKE) -s $(NATIVE)/build.ninja
	cmake --build $(NATIVE) -j $(JOBS)

asan: deps-fuzz
	@$(MAKE) -s $(ASAN)/build.ninja
	cmake --build $(ASAN) -j $(JOBS) --target vireo_tests

mingw: deps
	@$(MAKE) -s $(MINGW32)/build.ninja $(MINGW64)/build.ninja
	cmake --build $(MINGW32) -j $(JOBS)
	cmake --build $(MINGW64) -j $(JOBS)

check-native: native
	cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

check-asan: asan
	cd $(ASAN) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# The x86_64 VireoBR.dll registered and driven through COM under Wine (headless).
check-wine: mingw
	@scripts/install-deps.sh wine
	scripts/wine-check.sh $(MINGW64)

# The control in vireo-container under Wine on a virtual display, saved as docs/screenshot.png.
screenshot: mingw
	@scripts/install-deps.sh screenshot
	scripts/screenshot.sh docs/screenshot.png $(MINGW64)

# The distribution zip (build/dist/VireoBR-<version>.zip): both DLLs with their manifests and the sample
# host, the documentation, the samples and the licence; README.md says what is in it.
dist: mingw
	@scripts/install-deps.sh dist
	scripts/dist.sh $(MINGW32) $(MINGW64)

# The fuzz targets of fuzz/ (clang's libFuzzer), built in the sanitized tree.
fuzz-build: deps-fuzz
	@$(MAKE) -s $(ASAN)/build.ninja
	cmake --build $(ASAN) -j $(JOBS) --target fuzz_locations fuzz_pidl fuzz_tokens fuzz_property_file \
		fuzz_registry_text fuzz_variant fuzz_names

fuzz: fuzz-build
	scripts/fuzz.sh $(FUZZ) $(FUZZ_SECONDS)

fuzz-short: fuzz-build
	scripts/fuzz.sh $(FUZZ) $(FUZZ_SHORT_SECONDS)

# Every stage in turn, one line each with its time, the stages' logs under build/logs, and a summary.
test:
	@scripts/test-all.sh

# Only what the tour needs: the host and the system library.
demo:
	@echo "make demo: the first build on a machine takes a few minutes (later ones reuse the compiler cache)"
	@scripts/install-deps.sh native
	@$(MAKE) -s $(NATIVE)/build.ninja
	@cmake --build $(NATIVE) -j $(JOBS) --target vireo-host | tail -n 1
	$(NATIVE)/vireo-host demo

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build

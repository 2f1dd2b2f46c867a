# The two commands of README.md: `make demo` and `make test`.
JOBS ?= $(shell nproc)
CMAKE_GEN := -G Ninja
NATIVE := build/native
ASAN := build/asan
MINGW32 := build/mingw-i686
MINGW64 := build/mingw-x86_64

.PHONY: all demo test deps deps-native native asan mingw check-native check-asan check-wine screenshot format clean

all: native

deps:
	@scripts/install-deps.sh all

deps-native:
	@scripts/install-deps.sh native

native: deps-native
	cmake -S . -B $(NATIVE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(NATIVE) -j $(JOBS)

asan: deps-native
	cmake -S . -B $(ASAN) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DVIREO_SANITIZE=ON >/dev/null
	cmake --build $(ASAN) -j $(JOBS)

mingw: deps
	cmake -S . -B $(MINGW32) $(CMAKE_GEN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(MINGW32) -j $(JOBS)
	cmake -S . -B $(MINGW64) $(CMAKE_GEN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
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

test: deps
	$(MAKE) mingw
	$(MAKE) check-wine
	$(MAKE) check-native
	$(MAKE) check-asan

demo: native
	$(NATIVE)/vireo-host demo

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build

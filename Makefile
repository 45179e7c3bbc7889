# Tessary's commands: building, running and testing the viewer, its Windows, Debian and browser
# builds, benchmarks and releases. A bare `make` lists them; docs/building.md says more. Every
# target first installs the Debian packages it needs and the machine lacks.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: help run test build configure deps test-sanitize fuzz fuzz-build fuzz-merge bench clean \
	windows-deps host-icon-tool windows windows-dist test-windows \
	package-deps package test-package web-deps web serve-web test-web bench-web release pictures \
	model-deps test-models test-blender

help:
	@echo 'make run            build the viewer and start it'
	@echo 'make test           build everything, run every test, then again under the sanitizers'
	@echo 'make build          configure and build everything in $(BUILD)/'
	@echo 'make fuzz           run every fuzz target, FUZZ_SECONDS (600) shared among them'
	@echo 'make bench          build and run the benchmarks'
	@echo 'make pictures       draw the README'"'"'s picture and animation with tessary --render'
	@echo 'make windows        cross-build tessary.exe for Windows (win32 and win64)'
	@echo 'make windows-dist   ... and a zip and an installer of each'
	@echo 'make test-windows   ... and test them under Wine'
	@echo 'make package        the Debian package; make test-package checks it'
	@echo 'make test-models    check the 3-D models with PrusaSlicer, admesh, glTF validator, three.js'
	@echo 'make test-blender   ... and with Blender'"'"'s importers'
	@echo 'make web            the browser build in build-web/; make serve-web serves it'
	@echo 'make test-web       drive the page in headless Chromium; make bench-web measures it'
	@echo 'make release        every artefact in dist/ with SHA256SUMS'
	@echo 'make clean          remove every build folder and dist/'

deps:
	@./scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DTESSARY_WERROR=ON > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Only the viewer: the test programs are built by `make test`.
run: configure
	@cmake --build $(BUILD) -j $(JOBS) --target tessary
	./$(BUILD)/tessary

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 600
	@$(MAKE) --no-print-directory test-sanitize

# The whole suite again under AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer. Every
# report fails the test that caused it; the suppression file silences only named third-party
# libraries. The smoke tests run the real executable on an X display and stay in the normal build:
# SDL unloads the GL libraries at exit, and their leaks then come from an "<unknown module>" that
# no suppression can name.
#
# intercept_tls_get_addr=0: GCC 12's runtime records every dynamic thread-local block that
# __tls_get_addr hands out, to scan it for pointers. It does not ask its own allocator where such a
# block begins; when the block happens to start 16 bytes into a page, it takes the 16 bytes before
# it for a header of an old glibc, reads a size of gigabytes from them, and its leak check then
# dies on a segmentation fault (Mesa's libLLVM has such a block). Without the record the blocks are
# still scanned: they are heap blocks that the thread's block vector, itself scanned, points to.
SANITIZE_BUILD ?= build-asan
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:intercept_tls_get_addr=0 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/reliability/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# -O1 -g1 compiles faster than the normal build's -O2 -g and still gives stacks with line numbers.
SANITIZE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
	-DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG"

test-sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) $(SANITIZE_FLAGS) -DTESSARY_WERROR=ON -DTESSARY_SANITIZE=address,undefined > /dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS) --timeout 900 -E '^Smoke'

# The libFuzzer targets, built with clang under AddressSanitizer and UndefinedBehaviorSanitizer: each
# file fuzz/Fuzz<Name>.cpp is the target fuzz_<name>, run for its share of FUZZ_SECONDS from its kept
# corpus fuzz/corpus-<name>/ (new inputs go to build-fuzz/corpus-<name>/). A file fuzz/Fuzz<Name>.js
# is a target for the browser's scripts, which Node runs in the same way and which needs no build. At
# the end every target's exec/s, corpus and coverage are printed. `make fuzz-merge` minimises the
# kept corpora together with what the runs found, for committing.
FUZZ_SECONDS ?= 600
FUZZ_TARGETS = $(shell ls fuzz/Fuzz*.cpp fuzz/Fuzz*.js | sed 's|fuzz/Fuzz\(.*\)\.[a-z]*$$|fuzz_\L\1|')
FUZZ_BUILT = $(filter $(shell ls fuzz/Fuzz*.cpp | sed 's|fuzz/Fuzz\(.*\)\.cpp|fuzz_\L\1|'),$(FUZZ_TARGETS))
fuzz-build: deps
	@./scripts/install-fuzz-deps.sh
	@CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSARY_TESTS=OFF \
		-DTESSARY_FUZZ=ON -DTESSARY_SANITIZE=address,undefined > /dev/null
	$(if $(FUZZ_BUILT),@cmake --build build-fuzz -j $(JOBS) --target $(FUZZ_BUILT))

# fuzz/FuzzPageWalk.js walks the browser build and checks it against the desktop build's pictures.
fuzz: fuzz-build web build
	WEB_BUILD=$(CURDIR)/$(WEB_BUILD) DESKTOP_BUILD=$(CURDIR)/$(BUILD) \
		./scripts/run-fuzz.sh build-fuzz $(FUZZ_SECONDS) $(FUZZ_TARGETS)

fuzz-merge: fuzz-build
	./scripts/run-fuzz.sh --merge build-fuzz $(FUZZ_TARGETS)

bench: deps
	@cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTESSARY_BENCH=ON -DTESSARY_TESTS=OFF > /dev/null
	@cmake --build build-bench -j $(JOBS)
	./scripts/run-benchmarks.sh build-bench

# The README's picture and animation, drawn by the viewer itself: every line of README.md that starts
# with `tessary --render docs/` is run with the program of $(BUILD)/, so the views live in one place.
pictures: configure
	@cmake --build $(BUILD) -j $(JOBS) --target tessary
	@grep '^tessary --render docs/' README.md | sed 's|^tessary|./$(BUILD)/tessary|' | sh -ex

# The Windows build, cross-compiled with mingw-w64 for i686 (the 32-bit target) and x86_64, and
# its smoke test under Wine. Their packages (about 2 GB) come from their own script, only here.
WINDOWS_FLAGS ?= -DCMAKE_BUILD_TYPE=Release -DTESSARY_WERROR=ON

# The icon of the .exe files is drawn by tessary-icon with the viewer's own OpenGL code, so it runs
# here, on the build machine: it comes from the native build, which `make test` has built already.
HOST_BUILD ?= $(BUILD)
HOST_ICON_TOOL = $(abspath $(HOST_BUILD))/tessary-icon

# The version of project() in CMakeLists.txt, which every artefact's name carries.
VERSION = $(shell sed -n 's/^project.Tessary VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

# Release artefacts carry the time of the last commit (or, outside git, of the changelog's first
# entry) instead of the time they were made, so that they come out the same every time.
SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct 2>/dev/null || dpkg-parsechangelog -l data/debian/changelog -STimestamp)

# The 32-bit Wine packages (i386) are tried apart from the rest: a mirror may be unable to serve
# them. Those that could not be installed are written here (the packages, then why), and the i686
# runs under Wine are then skipped, with one line that says so; with TESSARY_REQUIRE_WINE32 set they
# run anyway and fail.
WINE32_MISSING = build-win32/wine32-missing.txt
wine32_skip = $(if $(TESSARY_REQUIRE_WINE32),,$(shell head -n 1 $(WINE32_MISSING) 2>/dev/null))
say_wine32_skipped = @{ read -r packages; read -r why; } < $(WINE32_MISSING) && echo "SKIPPED: i686 under \
	Wine (smoke-wine.sh, installer-wine.sh): not run, the 32-bit Wine packages could not be installed: \
	$$packages ($$why)"

windows-deps:
	@./scripts/install-windows-deps.sh $(WINE32_MISSING)

# A HOST_BUILD that is already configured is only built, so it may be of another copy of the sources
# (a clean clone, say, while this one is being edited).
host-icon-tool: deps
	@[ -f $(HOST_BUILD)/CMakeCache.txt ] || cmake -S . -B $(HOST_BUILD) $(CMAKE_FLAGS) -DTESSARY_WERROR=ON > /dev/null
	@cmake --build $(HOST_BUILD) -j $(JOBS) --target tessary-icon

windows: windows-deps host-icon-tool
	@cmake --no-warn-unused-cli -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake $(WINDOWS_FLAGS) \
		-DTESSARY_HOST_ICON_TOOL=$(HOST_ICON_TOOL) > /dev/null
	@cmake --build build-win32 -j $(JOBS)
	@cmake --no-warn-unused-cli -S . -B build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-x86_64.cmake $(WINDOWS_FLAGS) \
		-DTESSARY_HOST_ICON_TOOL=$(HOST_ICON_TOOL) > /dev/null
	@cmake --build build-win64 -j $(JOBS)
	@ls -l build-win32/tessary.exe build-win64/tessary.exe

# For each architecture a portable zip and an NSIS installer: build-win*/tessary-<version>-win*.zip
# and .exe.
windows-dist: windows
	@for dir in build-win32 build-win64; do \
		(cd $$dir && rm -f tessary-*-win*.zip tessary-*-win*.exe && SOURCE_DATE_EPOCH=$(SOURCE_DATE_EPOCH) cpack > /dev/null) || exit 1; \
		ls -l $$dir/tessary-*-win*.zip $$dir/tessary-*-win*.exe; \
	done

# The resources of both .exe files, then each under Wine: the program itself, then its installer.
# The recipe is expanded after windows-deps has run, so $(wine32_skip) is this run's answer.
test-windows: windows-dist
	./tests/windows/check-resources.sh build-win32/tessary.exe $(VERSION)
	./tests/windows/check-resources.sh build-win64/tessary.exe $(VERSION)
	$(if $(wine32_skip),,./tests/windows/smoke-wine.sh build-win32/tessary.exe)
	./tests/windows/smoke-wine.sh build-win64/tessary.exe
	$(if $(wine32_skip),,./tests/windows/installer-wine.sh build-win32/tessary-$(VERSION)-win32.exe $(VERSION))
	./tests/windows/installer-wine.sh build-win64/tessary-$(VERSION)-win64.exe $(VERSION)
	$(if $(wine32_skip),$(say_wine32_skipped))

# The Debian package (build-pkg/tessary_<version>_<arch>.deb) and its check, lintian included.
package-deps: deps
	@./scripts/install-package-deps.sh

# Built with Debian's hardening flags: stack protector, fortified functions, relocations read-only
# and bound at load.
DEB_FLAG = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
package: package-deps
	@cmake -S . -B build-pkg -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DTESSARY_TESTS=OFF \
		-DTESSARY_SOURCE_FONTCONFIG=OFF -DTESSARY_WERROR=ON \
		-DCMAKE_C_FLAGS="$$($(DEB_FLAG) CPPFLAGS) $$($(DEB_FLAG) CFLAGS)" \
		-DCMAKE_CXX_FLAGS="$$($(DEB_FLAG) CPPFLAGS) $$($(DEB_FLAG) CXXFLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$$($(DEB_FLAG) LDFLAGS)" > /dev/null
	@cmake --build build-pkg -j $(JOBS)
	@cd build-pkg && rm -f tessary_*.deb && SOURCE_DATE_EPOCH=$(SOURCE_DATE_EPOCH) cpack -G DEB > /dev/null
	@ls -l build-pkg/tessary_*.deb

# The package's check, then the same package made again from a copy of the sources in another
# folder, which must give the same bytes.
test-package: package
	./tests/package/test-deb.sh build-pkg/tessary_*.deb
	SOURCE_DATE_EPOCH=$(SOURCE_DATE_EPOCH) JOBS=$(JOBS) ./tests/package/test-reproducible.sh build-pkg/tessary_*.deb

# The 3-D models (docs/export.md) of views at n = 3 to 8, checked with tools nobody here wrote: the
# Khronos glTF validator and three.js's loader (npm, in tests/models/node_modules), PrusaSlicer's
# command line and admesh (Debian). Blender's importers have a target of their own: its package and
# its start are too slow for every run.
MODEL_CHECKS ?= $(BUILD)/model-checks
model-deps:
	@./scripts/install-model-deps.sh

test-models: model-deps build
	rm -rf $(MODEL_CHECKS)
	./tests/models/check_models.py $(BUILD)/tessary $(MODEL_CHECKS)

test-blender: build
	@./scripts/install-model-deps.sh blender
	rm -rf $(MODEL_CHECKS)-blender
	./tests/models/check_blender.sh $(BUILD)/tessary $(MODEL_CHECKS)-blender

# The browser build: build-web/ holds index.html, tessary.js, tessary.wasm, the page's scripts, its
# manifest, service worker, icons/ and fonts/, everything a static web server needs. Debian's
# emscripten builds offline; its links at -O1 and above need Node to find Debian's own JavaScript
# modules.
WEB_BUILD ?= build-web
WEB_ENV = NODE_PATH=/usr/share/nodejs
WEB_PORT ?= 8015

web-deps:
	@./scripts/install-web-deps.sh

# Its icons come from the desktop build's tessary-icon, which runs on this machine.
web: web-deps deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DTESSARY_WERROR=ON > /dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target tessary_web_icons
	@$(WEB_ENV) emcmake cmake -S . -B $(WEB_BUILD) -DTESSARY_PLATFORM=web -DCMAKE_BUILD_TYPE=Release \
		-DTESSARY_WEB_ICONS=$(CURDIR)/$(BUILD)/web-icons \
		-DTESSARY_TESTS=OFF -DTESSARY_WERROR=ON > /dev/null
	@$(WEB_ENV) cmake --build $(WEB_BUILD) -j $(JOBS)
	@cd $(WEB_BUILD) && ls -l $$(cat page-files.txt)

serve-web: web
	node tests/platform/web/serve.js $(WEB_BUILD) $(WEB_PORT)

# Headless Chromium drives the page with real input, and the desktop scenario runs in Chromium,
# Firefox and WebKitGTK (docs/browser-engines.md); the frames are compared with the desktop build's
# frames of the same scenes, taken under Xvfb. The GL emulation's scripts are tested under Node.
test-web: web build
	cd tests/platform/web && WEB_BUILD=$(CURDIR)/$(WEB_BUILD) DESKTOP_BUILD=$(CURDIR)/$(BUILD) \
		node --test --test-concurrency=1 *.test.js ../webgl/*.test.js

bench-web: web
	cd tests/platform/web && WEB_BUILD=$(CURDIR)/$(WEB_BUILD) node ../../../bench/web/bench-web.js
	cd tests/platform/web && WEB_BUILD=$(CURDIR)/$(WEB_BUILD) node ../../../bench/web/bench-embed.js

# A release: every artefact in dist/ with their SHA256SUMS (docs/building.md, Downloads).
release: package windows-dist web
	@SOURCE_DATE_EPOCH=$(SOURCE_DATE_EPOCH) ./scripts/make-release.sh $(VERSION) $(WEB_BUILD)

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) build-fuzz build-bench build-win32 build-win64 build-pkg $(WEB_BUILD) dist

# Ovantis: one command to build and run, one to test. Each installs what a
# fresh Debian machine lacks first (apt-get when root, else the line to run).
# Each build is a preset of CMakePresets.json (cmake --preset NAME, or an
# IDE); these targets add the installing and the running.

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
BENCH_BUILD ?= build-bench
PKG_BUILD  ?= build-pkg
WIN_BUILD  ?= build-windows
WIN_PKG_BUILD ?= build-windows-pkg
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 60
BENCH_RUNS ?= 5

# What each target needs. The unversioned clang and libclang-rt-dev follow
# the release's default LLVM, so no clang version is pinned here.
RUN_PACKAGES   := cmake make g++ libcli11-dev qt6-base-dev qt6-l10n-tools qt6-translations-l10n \
                  fonts-wqy-microhei
TEST_PACKAGES  := $(RUN_PACKAGES) clang libclang-rt-dev libgtest-dev libgmock-dev locales procps strace \
                  man-db groff-base zsh fish e2fsprogs acl attr fonts-noto-mono \
                  xvfb openbox x11-utils xdotool
FUZZ_PACKAGES  := cmake make clang libclang-rt-dev
BENCH_PACKAGES := $(RUN_PACKAGES) libbenchmark-dev pwgen time coreutils python3-fake-factory
PKG_PACKAGES   := $(RUN_PACKAGES) dpkg-dev file
WIN_PACKAGES   := cmake make g++-mingw-w64-x86-64-posix libcli11-dev
WIN_TEST_PACKAGES := $(WIN_PACKAGES) googletest wine64
WIN_PKG_PACKAGES  := $(WIN_PACKAGES) zip

# Installs the packages given as $(1) that are missing (apt-get when root,
# else prints the line to run).
define need
	@missing=""; \
	for p in $(1); do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Installing:$$missing"; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing >/dev/null; \
	  else \
	    echo "Missing packages. Run:"; echo "  sudo apt-get install -y$$missing"; exit 1; \
	  fi; \
	fi
endef

.PHONY: all deps deps-test configure build run test test-build test-asan fuzz bench screenshots package \
        translations translations-check clean

all: build

deps:
	$(call need,$(RUN_PACKAGES))

# A comma locale, so the tests can show numbers never follow it; Chinese ones
# for the CLI's language, in UTF-8, GB18030 and Big5 (which lacks simplified
# Chinese).
deps-test:
	$(call need,$(TEST_PACKAGES) $(WIN_TEST_PACKAGES))
	@locale -a | grep -qix 'de_DE.utf8' || [ "$$(id -u)" != 0 ] || localedef -i de_DE -f UTF-8 de_DE.UTF-8
	@locale -a | grep -qix 'zh_CN.utf8' || [ "$$(id -u)" != 0 ] || localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
	@locale -a | grep -qix 'zh_CN.gb18030' || [ "$$(id -u)" != 0 ] || localedef -i zh_CN -f GB18030 zh_CN.GB18030
	@locale -a | grep -qix 'zh_TW.big5' || [ "$$(id -u)" != 0 ] || localedef -i zh_TW -f BIG5 zh_TW.BIG5

# A fresh tree gets the window and the CLI alone; once make test has added
# the suites they stay, so switching targets rebuilds nothing.
configure: deps
	cmake --preset run -B $(BUILD) $(if $(wildcard $(BUILD)/CMakeCache.txt),,-DOVANTIS_BUILD_TESTS=OFF)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/ui/ovantis

screenshots: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/tools/ovantis_screenshots $(BUILD)/screenshots
	QT_QPA_PLATFORM=offscreen $(BUILD)/tools/ovantis_screenshots $(BUILD)/screenshots/en en
	QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=1.5 $(BUILD)/tools/ovantis_screenshots $(BUILD)/screenshots/scale-1.5
	QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=1.5 $(BUILD)/tools/ovantis_screenshots $(BUILD)/screenshots/scale-1.5/en en
	@ls $(BUILD)/screenshots $(BUILD)/screenshots/en $(BUILD)/screenshots/scale-1.5 $(BUILD)/screenshots/scale-1.5/en

# The English translation: lupdate collects every text of ui/ (the pages'
# notices carry their English in pages/Notices.cpp). No line numbers, so moving
# code leaves the file alone.
LUPDATE   ?= $(firstword $(wildcard /usr/lib/qt6/bin/lupdate) lupdate)
TS_FILE   := res/translations/ovantis_en.ts
TS_UPDATE  = $(LUPDATE) -silent -no-obsolete -locations none -source-language zh_CN \
             -target-language en ui -ts

translations: deps
	$(TS_UPDATE) $(TS_FILE)

# Fails when a text changed without make translations, or one is untranslated.
translations-check: deps
	@tmp=$$(mktemp -d) && trap 'rm -rf "$$tmp"' EXIT && cp $(TS_FILE) "$$tmp/ovantis_en.ts" && \
	$(TS_UPDATE) "$$tmp/ovantis_en.ts" && \
	if ! diff -u $(TS_FILE) "$$tmp/ovantis_en.ts"; then \
	  echo "$(TS_FILE) is out of date: run make translations and translate what it adds"; exit 1; \
	fi; \
	if grep -n 'type="unfinished"\|<translation></translation>' $(TS_FILE); then \
	  echo "$(TS_FILE) has untranslated messages"; exit 1; \
	fi

# Only what goes into the .deb, built with Debian's hardening flags.
package:
	$(call need,$(PKG_PACKAGES))
	export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
	CXXFLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
	LDFLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	cmake --preset package -B $(PKG_BUILD)
	cmake --build $(PKG_BUILD) -j $(JOBS)
	cd $(PKG_BUILD) && cpack -G DEB

test: test-build translations-check
	cd $(BUILD) && ctest --output-on-failure
	$(MAKE) --no-print-directory test-asan

test-build: deps-test
	cmake --preset test -B $(BUILD)
	cmake --build $(BUILD) -j $(JOBS)

# Every suite, the window's included, under ASan/UBSan with clang.
test-asan: deps-test
	cmake --preset asan -B $(ASAN_BUILD)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
	  UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure

# A finding leaves crash-*, timeout-* or oom-* in the project folder; it
# belongs in fuzz/regressions/page, cli or pattern, where make test
# replays it.
fuzz:
	$(call need,$(FUZZ_PACKAGES))
	cmake --preset fuzz -B $(FUZZ_BUILD)
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target ovantis_fuzz ovantis_cli_fuzz ovantis_pattern_fuzz
	mkdir -p $(FUZZ_BUILD)/corpus $(FUZZ_BUILD)/cli-corpus $(FUZZ_BUILD)/pattern-corpus
	$(FUZZ_BUILD)/fuzz/ovantis_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=512 -timeout=10 \
	  -rss_limit_mb=2048 -print_final_stats=1 $(FUZZ_BUILD)/corpus fuzz/seeds fuzz/regressions/page
	$(FUZZ_BUILD)/fuzz/ovantis_cli_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=512 -timeout=10 \
	  -rss_limit_mb=2048 -print_final_stats=1 -dict=fuzz/cli.dict \
	  $(FUZZ_BUILD)/cli-corpus fuzz/cli-seeds fuzz/regressions/cli
	$(FUZZ_BUILD)/fuzz/ovantis_pattern_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=65536 \
	  -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
	  $(FUZZ_BUILD)/pattern-corpus fuzz/pattern-seeds fuzz/regressions/pattern

bench:
	$(call need,$(BENCH_PACKAGES))
	cmake --preset bench -B $(BENCH_BUILD)
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	$(BENCH_BUILD)/bench/ovantis_reference --table $(BENCH_BUILD)/cli/ovantis-cli $(BENCH_RUNS)
	$(BENCH_BUILD)/bench/ovantis_bench
	QT_QPA_PLATFORM=offscreen $(BENCH_BUILD)/bench/ovantis_ui_bench
	bench/compare.sh $(BENCH_BUILD)/cli/ovantis-cli
	bench/hostile.sh $(BENCH_BUILD)/cli/ovantis-cli
	bench/rows.sh $(BENCH_BUILD)/cli/ovantis-cli

# Windows: core/, pages/, sys/ and ovantis-cli cross-built with MinGW-w64, statically
# linked, their tests run under Wine (see cmake/MinGW.cmake).
PROJECT_VERSION := $(shell sed -n 's/^project.Ovantis VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
WIN_ZIP  := ovantis-$(PROJECT_VERSION)-windows-x64

.PHONY: test-windows package-windows

test-windows:
	$(call need,$(WIN_TEST_PACKAGES))
	cmake --preset windows -B $(WIN_BUILD)
	cmake --build $(WIN_BUILD) -j $(JOBS)
	cd $(WIN_BUILD) && ctest --output-on-failure

package-windows:
	$(call need,$(WIN_PKG_PACKAGES))
	cmake --preset windows-package -B $(WIN_PKG_BUILD)
	cmake --build $(WIN_PKG_BUILD) -j $(JOBS) --target ovantis-cli
	rm -rf $(WIN_PKG_BUILD)/$(WIN_ZIP) $(WIN_PKG_BUILD)/$(WIN_ZIP).zip
	mkdir $(WIN_PKG_BUILD)/$(WIN_ZIP)
	x86_64-w64-mingw32-strip -o $(WIN_PKG_BUILD)/$(WIN_ZIP)/ovantis-cli.exe $(WIN_PKG_BUILD)/cli/ovantis-cli.exe
	cp README.md LICENSE $(WIN_PKG_BUILD)/$(WIN_ZIP)/
	cd $(WIN_PKG_BUILD) && zip -qrX $(WIN_ZIP).zip $(WIN_ZIP)
	@echo "$(WIN_PKG_BUILD)/$(WIN_ZIP).zip"

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(BENCH_BUILD) $(PKG_BUILD) $(WIN_BUILD) $(WIN_PKG_BUILD)

# Ovantis: one command to build and run, one to test. Each installs what a
# fresh Debian machine lacks first (apt-get when root, else the line to run).

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
BENCH_BUILD ?= build-bench
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 60

PACKAGES := cmake make g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev \
            libbenchmark-dev libcli11-dev qt6-base-dev qt6-translations-l10n fonts-wqy-microhei \
            pwgen time coreutils dpkg-dev

.PHONY: all deps configure build run test test-asan fuzz bench screenshots package clean

all: build

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
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

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOVANTIS_BUILD_CLI=ON -DOVANTIS_BUILD_UI=ON

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/ui/ovantis

screenshots: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/tools/ovantis_screenshots $(BUILD)/screenshots
	@ls $(BUILD)/screenshots

package: build
	cd $(BUILD) && cpack -G DEB

test: build
	cd $(BUILD) && ctest --output-on-failure
	$(MAKE) --no-print-directory test-asan

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
	  -DOVANTIS_SANITIZE=ON -DOVANTIS_BUILD_UI=OFF -DOVANTIS_BUILD_CLI=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure

fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
	  -DOVANTIS_FUZZ=ON -DOVANTIS_BUILD_TESTS=OFF -DOVANTIS_BUILD_UI=OFF -DOVANTIS_BUILD_CLI=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target ovantis_fuzz ovantis_cli_fuzz
	mkdir -p $(FUZZ_BUILD)/corpus $(FUZZ_BUILD)/cli-corpus
	$(FUZZ_BUILD)/tests/fuzz/ovantis_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=512 -timeout=10 \
	  -rss_limit_mb=2048 -print_final_stats=1 $(FUZZ_BUILD)/corpus tests/fuzz/seeds
	$(FUZZ_BUILD)/tests/fuzz/ovantis_cli_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=512 -timeout=10 \
	  -rss_limit_mb=2048 -print_final_stats=1 -dict=tests/fuzz/cli.dict \
	  $(FUZZ_BUILD)/cli-corpus tests/fuzz/cli-seeds

bench: deps
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DOVANTIS_BUILD_BENCH=ON \
	  -DOVANTIS_BUILD_TESTS=OFF -DOVANTIS_BUILD_UI=ON -DOVANTIS_BUILD_CLI=ON
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	$(BENCH_BUILD)/bench/ovantis_bench
	QT_QPA_PLATFORM=offscreen $(BENCH_BUILD)/bench/ovantis_ui_bench
	bench/compare.sh $(BENCH_BUILD)/cli/ovantis-cli

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(BENCH_BUILD)

# The two commands for a fresh machine:
#   make test   installs what is missing, builds win64, win32 and native, runs every test
#   make demo   runs the program headless: a screenshot of its main window, the settings it wrote
# On a desktop: make run
SHELL := /bin/bash
PRESETS := native win64 win32
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1
CTEST_ARGS ?= --output-on-failure -j2

.PRECIOUS: build/%/build.ninja
.PHONY: deps configure build test test-native test-win64 bench clean demo run

deps:
	@tools/install-packages.sh

build/%/build.ninja: | deps
	cmake --preset $* >/dev/null

build-%: build/%/build.ninja
	cmake --build --preset $*

build: deps $(addprefix build-,$(PRESETS))

test-native: build-native
	ctest --test-dir build/native $(CTEST_ARGS)

test-win64: build-win64
	cmake/session.sh $(CURDIR)/build/win64/wineprefix ctest --test-dir build/win64 $(CTEST_ARGS)

# Both suites run even when the first fails; the target fails if either did.
test: build
	@rc=0; \
	$(MAKE) --no-print-directory test-native || rc=1; \
	$(MAKE) --no-print-directory test-win64 || rc=1; \
	exit $$rc

# Figures, not a test: compression of a 10-minute message against sox (bench/compress).
bench: build-win64
	mkdir -p build/win64/bench/compress/work
	cmake/session.sh $(CURDIR)/build/win64/wineprefix wine build/win64/bench/compress/bench_compress.exe \
	  'Z:$(subst /,\,$(CURDIR))\build\win64\bench\compress\work' $(BENCH_RUNS)

PROGRAM_TARGETS := VoiceMail inspect

demo: build/win64/build.ninja
	cmake --build --preset win64 --target $(PROGRAM_TARGETS)
	cmake/session.sh $(CURDIR)/build/win64/wineprefix tools/demo/demo.sh $(CURDIR)/build/win64

# On the user's display when there is one, else on an Xvfb display that the session starts.
run: build/win64/build.ninja
	cmake --build --preset win64 --target $(PROGRAM_TARGETS)
	@if [ -n "$${DISPLAY:-}" ] && [ -z "$${BDA_KEEP_DISPLAY:-}" ]; then export BDA_KEEP_DISPLAY=1; fi; \
	cmake/session.sh $(CURDIR)/build/win64/wineprefix tools/demo/run.sh $(CURDIR)/build/win64

clean:
	rm -rf build

# Human entry point. `make run` starts the desktop program, `make test` builds and runs every test.
SHELL := /bin/bash
BUILD ?= build
BUILD_ASAN ?= build-asan
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
# A compiler cache, when the machine has one, makes rebuilds across clones cheap.
ifneq ($(shell command -v ccache),)
CMAKE_FLAGS += -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
endif

.PHONY: all deps build build-asan test test-plain test-asan run demo bench fuzz format clean package

all: build

deps:
	@bash scripts/install-deps

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

$(BUILD_ASAN)/build.ninja:
	cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTRINDEL_SANITIZE=ON -DTRINDEL_BENCH=OFF $(CMAKE_FLAGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

build-asan: deps $(BUILD_ASAN)/build.ninja
	cmake --build $(BUILD_ASAN) -j $(JOBS)

test-plain: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-asan: build-asan
	cd $(BUILD_ASAN) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp ctest --output-on-failure -j $(JOBS)

test: test-plain test-asan

run: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target trindel_app
	$(BUILD)/gui/trindel

demo: build
	$(BUILD)/cli/trindel-cli record --channels 4 --interval 0.05 --samples 100 -o $(BUILD)/demo.kstn
	$(BUILD)/cli/trindel-cli info $(BUILD)/demo.kstn

# The Debian package (build/trindel_*.deb): `apt install ./build/trindel_*.deb`.
package: build
	cd $(BUILD) && cpack -G DEB

bench: build
	@for b in $(BUILD)/bench/*_bench; do echo "== $$b"; \
	  case "$$b" in *gui_*) if [ -z "$$DISPLAY" ]; then \
	    xvfb-run -a -s "-screen 0 1280x1024x24" $$b; else $$b; fi ;; *) $$b ;; esac; done

fuzz: deps
	CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRINDEL_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) build-fuzz

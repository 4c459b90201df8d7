# The two commands of the README: `make run` and `make test`. Both install what is missing.
BUILD      ?= build
GENERATOR  ?= Ninja
# ccache, where a developer has it, makes rebuilds across several trees cheap.
CMAKE_ARGS ?= $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

.PHONY: all deps configure build run test bench fuzz clean

all: build

deps:
	@bash scripts/installer-dependances.sh base

# libxlsxwriter, static, built once from Debian's sources for every Linux tree.
XLSXWRITER = $(CURDIR)/build-xlsxwriter
KORVEX_CMAKE = $(CMAKE_ARGS) -DKORVEX_XLSXWRITER_DIR=$(XLSXWRITER)/xlsxwriter
.PHONY: xlsxwriter
xlsxwriter: deps
	@bash scripts/xlsxwriter.sh $(XLSXWRITER)

configure: deps xlsxwriter
	cmake -S . -B $(BUILD) -G $(GENERATOR) $(KORVEX_CMAKE)

build: configure
	cmake --build $(BUILD)

# The window uses the user's display; with none, it runs inside a virtual one (xvfb-run).
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY$$QT_QPA_PLATFORM" ]; then ./$(BUILD)/src/DLG_KORVEX_Calcule_Recap; \
	else echo "Pas d'écran : la fenêtre s'ouvre dans un écran virtuel (xvfb-run)."; \
	xvfb-run -a ./$(BUILD)/src/DLG_KORVEX_Calcule_Recap; fi

# Every window test runs offscreen: CI has no display. The workbooks are recalculated by
# LibreOffice Calc (group tableur), which only the tests need.
test: build
	@bash scripts/installer-dependances.sh tableur
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure

# The sample folder's golden outputs (tests/golden/exemple) written again from the built
# korvex-recap, after a change of its outputs; the tests compare with them byte for byte.
.PHONY: golden
golden: build
	bash scripts/golden.sh $(BUILD)

# The Qt-free core, its tests and korvex-recap.exe built for Windows (MinGW-w64), all run under
# Wine, in a private Wine prefix of the build folder.
BUILD_WINDOWS ?= build-windows
.PHONY: test-windows
test-windows: deps
	@bash scripts/installer-dependances.sh windows
	bash scripts/windows-tests.sh $(BUILD_WINDOWS)

# The Windows window, built with MinGW-w64 and started under Wine so that it can be seen from Linux
# (with no display, in a virtual one). Wine's X11 driver, in a prefix of its own.
WINE_ECRAN = $(CURDIR)/$(BUILD_WINDOWS)/wine-ecran
.PHONY: build-windows run-windows dist-windows
build-windows: deps
	@bash scripts/installer-dependances.sh windows
	bash scripts/windows-tests.sh $(BUILD_WINDOWS) --construire
run-windows: build-windows
	@if [ -n "$$DISPLAY" ]; then WINEPREFIX=$(WINE_ECRAN) WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" wine $(BUILD_WINDOWS)/src/DLG_KORVEX_Calcule_Recap.exe; \
	else echo "Pas d'écran : la fenêtre s'ouvre dans un écran virtuel (xvfb-run)."; \
	WINEPREFIX=$(WINE_ECRAN) WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" xvfb-run -a wine $(BUILD_WINDOWS)/src/DLG_KORVEX_Calcule_Recap.exe; fi

# The archive a Windows user unzips: both programs, the sample folder, a note in French and the
# user guide as one HTML page.
VERSION = $(shell grep -o 'KorvexRecap VERSION [0-9.]*' CMakeLists.txt | cut -d' ' -f3)
DIST = recap-korvex-$(VERSION)-windows
dist-windows: build-windows
	rm -rf $(BUILD_WINDOWS)/$(DIST) $(DIST).zip
	mkdir -p $(BUILD_WINDOWS)/$(DIST)/exemples
	x86_64-w64-mingw32-strip -o $(BUILD_WINDOWS)/$(DIST)/DLG_KORVEX_Calcule_Recap.exe $(BUILD_WINDOWS)/src/DLG_KORVEX_Calcule_Recap.exe
	x86_64-w64-mingw32-strip -o $(BUILD_WINDOWS)/$(DIST)/korvex-recap.exe $(BUILD_WINDOWS)/tools/korvex-recap.exe
	cp -r examples/KORVEX $(BUILD_WINDOWS)/$(DIST)/exemples/KORVEX
	# Notepad reads the note as UTF-8 only with its byte-order mark, and its lines only with CR LF.
	{ printf '\357\273\277'; sed 's/$$/\r/' src/win32/LISEZMOI.txt; } > $(BUILD_WINDOWS)/$(DIST)/LISEZMOI.txt
	head -c 3 $(BUILD_WINDOWS)/$(DIST)/LISEZMOI.txt | od -An -tx1 | grep -q 'ef bb bf'
	/usr/bin/python3 scripts/guide-html.py docs/guide-utilisateur.md $(BUILD_WINDOWS)/$(DIST)/guide-utilisateur.html
	cd $(BUILD_WINDOWS) && zip -q -r -X ../$(DIST).zip $(DIST)
	@echo "Écrit : $(DIST).zip"

# The virtual X display of the screen-reader check.
AFFICHAGE ?= :99
.PHONY: test-accessibilite captures
# What a screen reader gets of the Linux window, read on the AT-SPI bus.
test-accessibilite: build
	@bash scripts/installer-dependances.sh captures
	bash tests/fenetre/accessibilite_atspi.sh $(BUILD)/src/DLG_KORVEX_Calcule_Recap $(AFFICHAGE)

# Screenshots of both windows on the sample folder, for the user guide (docs/captures/). The
# Windows window is shot when make test-windows has built it.
captures: build
	@bash scripts/installer-dependances.sh captures
	bash scripts/captures.sh $(BUILD) $(BUILD_WINDOWS)

# Benchmarks, in release mode.
bench: deps xlsxwriter
	cmake -S . -B $(BUILD)-bench -G $(GENERATOR) $(KORVEX_CMAKE) -DCMAKE_BUILD_TYPE=Release -DKORVEX_BENCH=ON -DKORVEX_TESTS=OFF -DKORVEX_FENETRE=OFF
	cmake --build $(BUILD)-bench
	@for b in $(BUILD)-bench/bench/bench_*; do [ -x "$$b" ] && echo "== $$b" && "$$b"; done
	bash bench/recap_bench.sh $(BUILD)-bench

# One tree serves the sanitizers and the fuzzers: the Qt-free program (core and korvex-recap), its
# tests and the libFuzzer targets, built by clang under AddressSanitizer and
# UndefinedBehaviorSanitizer. The Qt window, a thin shell over the same core, would take a third
# of this tree's build; its tests run in `make test`. -O1 with line tables only: the reports keep
# their stacks, and the build takes half the time of -O2 -g.
SANITISE = $(BUILD)-fuzz
.PHONY: sanitise test-sanitizers fuzz-smoke
sanitise: deps xlsxwriter
	@bash scripts/installer-dependances.sh fuzz
	CC=clang CXX=clang++ cmake -S . -B $(SANITISE) -G $(GENERATOR) $(KORVEX_CMAKE) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_CXX_FLAGS_RELEASE="-O1 -gline-tables-only" -DKORVEX_FUZZ=ON -DKORVEX_FENETRE=OFF
	cmake --build $(SANITISE)

# Every fuzz target for FUZZ_SECONDS each, from its committed seed corpus.
FUZZ_SECONDS ?= 60
fuzz: sanitise
	@for f in $(SANITISE)/tests/fuzz/fuzz_*; do [ -x "$$f" ] || continue; n=$$(basename $$f); \
	  mkdir -p $(SANITISE)/corpus/$$n; echo "== $$n ($(FUZZ_SECONDS) s)"; \
	  $$f -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 -artifact_prefix=$(SANITISE)/ \
	    $(SANITISE)/corpus/$$n tests/fuzz/corpus/$$n || exit 1; done

# The core's and the command line's tests under the sanitizers. Any report fails the run;
# tests/lsan.supp lists the leaks of system libraries that are not ours; a test that hangs fails
# at the timeout.
test-sanitizers: sanitise
	@bash scripts/installer-dependances.sh tableur
	cd $(SANITISE) && \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  ctest --output-on-failure --timeout 300

# The threaded totalling's tests under ThreadSanitizer, in a clang tree of their own: the core and
# tests_recap only, run with every fast path and with none.
TSAN = $(BUILD)-tsan
.PHONY: test-tsan
test-tsan: deps xlsxwriter
	@bash scripts/installer-dependances.sh fuzz
	CC=clang CXX=clang++ cmake -S . -B $(TSAN) -G $(GENERATOR) $(KORVEX_CMAKE) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_CXX_FLAGS_RELEASE="-O1 -gline-tables-only -fsanitize=thread" \
	  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" -DKORVEX_FENETRE=OFF
	cmake --build $(TSAN) --target tests_recap
	cd $(TSAN) && for option in "" --sans-raccourcis; do \
	  TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 LOCPATH=$(CURDIR)/$(TSAN)/locales \
	    ./tests/recap/tests_recap $$option --gtest_filter='TotaliserBulletinsTest.*:DetailTest.*:Ordres/CumulsTest.*:ControlesTest.*:ConstatsTest.*' || exit 1; done

# Fifteen seconds of every fuzz target, as CI runs them: their seed corpora hold the damaged and
# hostile cases, so a short run replays those and explores a little; `make fuzz` goes on longer.
fuzz-smoke:
	$(MAKE) fuzz FUZZ_SECONDS=15

clean:
	rm -rf $(BUILD)

# The two commands of the README: `make run` and `make test`. Both install what is missing.
BUILD      ?= build
GENERATOR  ?= Ninja
CMAKE_ARGS ?=

.PHONY: all deps configure build run test clean

all: build

deps:
	@bash scripts/installer-dependances.sh base

$(BUILD)/build.ninja: deps
	cmake -S . -B $(BUILD) -G $(GENERATOR) $(CMAKE_ARGS)

configure: deps
	cmake -S . -B $(BUILD) -G $(GENERATOR) $(CMAKE_ARGS)

build: configure
	cmake --build $(BUILD)

# The window uses the user's display; with none, it runs inside a virtual one (xvfb-run).
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY$$QT_QPA_PLATFORM" ]; then ./$(BUILD)/src/DLG_KORVEX_Calcule_Recap; \
	else echo "Pas d'écran : la fenêtre s'ouvre dans un écran virtuel (xvfb-run)."; \
	xvfb-run -a ./$(BUILD)/src/DLG_KORVEX_Calcule_Recap; fi

# Every window test runs offscreen: CI has no display.
test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure

clean:
	rm -rf $(BUILD)

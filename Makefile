# Entry points for people and CI. Each target sets the machine up and builds as needed.
BUILD ?= build
JOBS ?= 2
COMPANY ?= $(HOME)/.local/share/kelo/demo

.PHONY: setup configure build test run bench clean

setup:
	bash scripts/bootstrap

configure: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j$(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

run: build
	bash scripts/run-demo "$(BUILD)" "$(COMPANY)"

bench: build
	bash bench/run "$(BUILD)"

clean:
	rm -rf $(BUILD)

# Entry points for people and CI. Each target sets the machine up and builds as needed.
BUILD ?= build
# The tests run in a build of their own with AddressSanitizer and UBSan.
TEST_BUILD ?= build-test
JOBS ?= 2
FUZZ_SECONDS ?= 5
COMPANY ?= $(or $(XDG_DATA_HOME),$(HOME)/.local/share)/kelo/company
# make install PREFIX=~/.local (or /usr/local, the default; DESTDIR stages it elsewhere).
PREFIX ?= /usr/local

.PHONY: setup configure build test run bench install package clean

setup:
	bash scripts/bootstrap

configure: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j$(JOBS)

test: setup
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DKELO_SANITIZE=ON
	cmake --build $(TEST_BUILD) -j$(JOBS)
	# A short run of every fuzz target (scripts/fuzz --seconds N for a long one).
	bash scripts/fuzz --seconds $(FUZZ_SECONDS)
	cd $(TEST_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

run: build
	bash scripts/run-demo "$(BUILD)" "$(COMPANY)"

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# The Debian package, in $(BUILD): kelo-task-manager_VERSION_ARCH.deb.
package: build
	cd $(BUILD) && cpack -G DEB

bench: build
	bash bench/run "$(BUILD)"

clean:
	rm -rf $(BUILD) $(TEST_BUILD)

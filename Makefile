# Two commands: `make run` plays, `make test` runs the whole suite.
JOBS ?= $(shell nproc)

.PHONY: deps build run test clean

deps:
	@bash tools/install-deps.sh

build: deps
	@cmake --preset default >/dev/null
	@cmake --build build -j $(JOBS)

run: build
	cd build && ./halvane

test: build
	cd build && ctest -j $(JOBS) --output-on-failure

clean:
	rm -rf build

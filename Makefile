# Two commands: `make run` plays, `make test` runs the whole suite.
# `make package` builds the Debian package build/halvane_<version>_<arch>.deb.
# `make windows` cross-builds build-win/halvane.exe and a zip to unpack on Windows;
# `make test` builds that exe too, so the Windows build cannot rot unnoticed.
JOBS ?= $(shell nproc)

.PHONY: deps build run test package windows clean

deps:
	@bash tools/install-deps.sh

build: deps
	@cmake --preset default >/dev/null
	@cmake --build build -j $(JOBS)

run: build
	cd build && ./halvane

test: build
	@cmake --preset windows >/dev/null
	@cmake --build build-win -j $(JOBS)
	cd build && ctest -j $(JOBS) --output-on-failure

# CPack's DEB generator; cmake/Package.cmake says what goes in.
package: build
	@cmake --build build --target package

# The asset generator runs here, in the Linux build; the zip holds the exe
# beside the Data/ folder it reads from its working directory.
windows: deps
	@cmake --preset default >/dev/null
	@cmake --build build --target data -j $(JOBS)
	@cmake --preset windows >/dev/null
	@cmake --build build-win -j $(JOBS)
	@rm -rf build-win/package build-win/halvane-windows.zip
	@mkdir -p build-win/package/Halvane
	@cp build-win/halvane.exe build-win/package/Halvane/
	@cp -r build/Data build-win/package/Halvane/Data
	@rm -f build-win/package/Halvane/Data/.generated
	@cd build-win/package && cmake -E tar cf ../halvane-windows.zip --format=zip Halvane
	@echo "build-win/halvane.exe, build-win/halvane-windows.zip"

clean:
	rm -rf build build-win

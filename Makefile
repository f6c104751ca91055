# The two commands a newcomer needs: `make demo` and `make test`.
.PHONY: demo test bench prereqs build-windows build-native test-native test-windows fuzz clean

JOBS ?= 2

prereqs:
	@tools/install-prereqs.sh

build-windows: prereqs
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j $(JOBS)

build-native: prereqs
	cmake --preset native >/dev/null
	cmake --build --preset native -j $(JOBS)

demo: build-windows
	tools/demo.sh build/windows

test-native: build-native
	ctest --preset native -LE bench -j $(JOBS)

test-windows: build-windows
	ctest --preset windows -LE bench -j $(JOBS)

test: build-native build-windows
	@status=0; \
	ctest --preset native -LE bench -j $(JOBS) || status=1; \
	ctest --preset windows -LE bench -j $(JOBS) || status=1; \
	exit $$status

bench: build-windows
	ctest --preset windows -L bench --verbose

clean:
	rm -rf build

# The two commands a newcomer needs: `make demo` and `make test`.
#
# Three build trees: build/windows is the shipped program (static i686 exe), build/windows64 the
# same sources for x86_64 with every Windows test, run under 64-bit Wine on any machine, and
# build/native the portable code under the sanitizers. `make dist` packs the shipped exes into dist/.
.PHONY: demo test test-under-load dist bench mutants prereqs build-windows build-windows64 build-native test-native \
	test-windows fuzz clean

JOBS ?= 2
# CPU-bound processes beside the suite in test-under-load.
LOAD ?= 2

prereqs:
	@tools/install-prereqs.sh

build-windows: prereqs
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j $(JOBS)

build-windows64: prereqs
	cmake --preset windows64 >/dev/null
	cmake --build --preset windows64 -j $(JOBS)

build-native: prereqs
	cmake --preset native >/dev/null
	cmake --build --preset native -j $(JOBS)

demo: build-windows
	cmake --preset windows64 >/dev/null
	cmake --build --preset windows64 -j $(JOBS) --target panelwright
	tools/demo.sh

# The zip a Windows user downloads, dist/panelwright-VERSION-win32.zip: the same bytes from every
# build of one commit (tools/make_dist.py).
dist: build-windows
	python3 tools/make_dist.py build/windows dist

test-native: build-native
	ctest --preset native -LE bench -j $(JOBS)

test-windows: build-windows build-windows64
	@tools/say-windows-exes.sh
	ctest --preset windows64 -LE bench -j $(JOBS)

test: build-native build-windows build-windows64 dist
	@status=0; \
	ctest --preset native -LE bench -j $(JOBS) || status=1; \
	tools/say-windows-exes.sh; \
	ctest --preset windows64 -LE bench -j $(JOBS) || status=1; \
	exit $$status

# `make test` with LOAD CPU-bound processes running beside it the whole time, as on a busy two-core
# machine: every test's time limit is meant to hold there four times over.
test-under-load:
	@pids=; for i in $$(seq 1 $(LOAD)); do yes >/dev/null & pids="$$pids $$!"; done; \
	trap 'kill $$pids 2>/dev/null' EXIT INT TERM; \
	echo "test-under-load: $(LOAD) CPU-bound processes beside the tests"; \
	$(MAKE) --no-print-directory test JOBS=$(JOBS)

bench: build-windows64
	ctest --preset windows64 -L bench --verbose

# How many one-line faults of tools/mutants.txt the tests find (an hour or more; not part of test).
mutants: prereqs
	python3 tools/mutants.py

clean:
	rm -rf build dist

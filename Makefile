# The two commands of the README. Each first installs what the machine lacks, then builds.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: run test build deps bench clean

deps:
	@./scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DTESSARY_WERROR=ON > /dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/tessary

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 600

bench: deps
	@cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTESSARY_BENCH=ON -DTESSARY_TESTS=OFF > /dev/null
	@cmake --build build-bench -j $(JOBS)
	./scripts/run-benchmarks.sh build-bench

clean:
	rm -rf $(BUILD) build-bench

# Two entry points for a fresh machine: `make run` and `make test`.
BUILD ?= build
EXAMPLE ?= examples/encased_heb.txt
CMAKE_FLAGS ?=

.PHONY: run test build configure sanitize bench clean

configure:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD)

run: build
	./$(BUILD)/colsec $(EXAMPLE)
	@echo
	@echo "Report: $(basename $(EXAMPLE))_Validation.res"

test: build
	cd $(BUILD) && ctest --output-on-failure

# The whole suite under the address and undefined-behaviour sanitizers.
sanitize:
	$(MAKE) test BUILD=build-sanitize CMAKE_FLAGS="-DCOLSEC_SANITIZE=ON $(CMAKE_FLAGS)"

clean:
	rm -rf build build-sanitize

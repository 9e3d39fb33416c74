# Two commands: `make run` starts TAVO, `make test` checks the format and the layers' includes, builds
# with sanitizers and runs every test, then compiles every file with clang too.
JOBS ?= $(shell nproc)
# The program folder: the program, its storm tables, PelcanDir.pcn and the projects live there.
TAVO_DIR ?= $(HOME)/TAVO

.PHONY: run test bench deps clean format capturas

deps:
	@scripts/install-deps

run: deps
	@cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DTAVO_BENCH=OFF >/dev/null
	@cmake --build build/release --target tavo -j $(JOBS)
	@cmake --install build/release --prefix "$(TAVO_DIR)" >/dev/null
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then "$(TAVO_DIR)/tavo"; else xvfb-run -a "$(TAVO_DIR)/tavo"; fi

test: deps
	@scripts/check-format
	@scripts/check-includes
	@cmake -S . -B build/debug -DCMAKE_BUILD_TYPE=Debug -DTAVO_SANITIZE=ON -DTAVO_WERROR=ON >/dev/null
	@cmake --build build/debug -j $(JOBS)
	@cd build/debug && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	@scripts/check-clang $(JOBS)

bench: deps
	@cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DTAVO_BENCH=ON >/dev/null
	@cmake --build build/release -j $(JOBS)
	@for b in build/release/bench_*; do [ -f "$$b" ] && [ -x "$$b" ] && "$$b"; done

# Takes the pictures of the help and the README's again from the program itself, into data/Ayuda/imagenes
# and docs. CAPTURAS_DIR=/home/usuario/TAVO runs the program there (a folder that must not exist yet),
# so that the pictures show a user's program folder.
capturas: deps
	@cmake -S . -B build/debug -DCMAKE_BUILD_TYPE=Debug -DTAVO_SANITIZE=ON -DTAVO_WERROR=ON >/dev/null
	@cmake --build build/debug --target tavo_capturas -j $(JOBS)
	@QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 build/debug/tavo_capturas data/Ayuda/imagenes $(CAPTURAS_DIR)

# Formats every C++ file of the tree with the repository's .clang-format.
format: deps
	@find src tests bench tools -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format -i

clean:
	rm -rf build

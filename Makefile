# Set-up and build entry points. `make run` and `make test` install whatever
# Debian packages are missing first, so a fresh machine needs nothing else.

PACKAGES := cmake g++ pkg-config make \
	libsdl2-dev libsdl2-ttf-dev libsdl2-mixer-dev libsdl2-image-dev \
	fonts-liberation2 fonts-dejavu-core libfontconfig-dev \
	libavformat-dev libavcodec-dev libswresample-dev libswscale-dev \
	libzip-dev zlib1g-dev libjpeg-dev libpng-dev libtomlplusplus-dev libssl-dev libcurl4-openssl-dev \
	libgtest-dev libgmock-dev libbenchmark-dev \
	python3-pyftpdlib python3-numpy zip p7zip-full ffmpeg file \
	xvfb xdotool imagemagick \
	dpkg-dev desktop-file-utils appstream lintian \
	clang libclang-rt-dev

# The servers a host of the high scores runs, which a test starts on loopback
# by itself. Their packages would start them as system services (an FTP
# server with local logins on port 21, a web server on port 80): only
# `make test` installs them, with service starts refused, and leaves the
# services it installed disabled.
TEST_SERVERS := vsftpd nginx

# The packages of the list $(1) that are not installed yet.
missing_packages = $$(for p in $(1); do \
	dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed$$' || echo $$p; \
	done)
APT_INSTALL = DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
JOBS ?= 2
# The virtual display the benchmarks run on: room for the window at twice its size.
BENCH_SCREEN ?= 1600x1400x24

.PHONY: deps test-deps build run test bench fuzz clean

deps:
	@missing="$(call missing_packages,$(PACKAGES))"; \
	if [ -n "$$missing" ]; then \
		echo "Installing:" $$missing; \
		$(SUDO) apt-get update -qq && $(APT_INSTALL) $$missing; \
	fi

test-deps: deps
	@missing="$(call missing_packages,$(TEST_SERVERS))"; \
	if [ -n "$$missing" ]; then \
		echo "Installing, not started:" $$missing; \
		policy=/usr/sbin/policy-rc.d; refusal=; \
		if [ ! -e $$policy ]; then \
			printf '#!/bin/sh\nexit 101\n' | $(SUDO) tee $$policy >/dev/null && \
			$(SUDO) chmod 755 $$policy && refusal=yes; \
		fi; \
		$(SUDO) apt-get update -qq && $(APT_INSTALL) $$missing; status=$$?; \
		[ -z "$$refusal" ] || $(SUDO) rm -f $$policy; \
		for service in $$missing; do \
			if [ -d /run/systemd/system ]; then $(SUDO) systemctl disable --quiet $$service; \
			else $(SUDO) update-rc.d $$service disable >/dev/null 2>&1; fi; \
		done; \
		exit $$status; \
	fi

build:
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build build -j$(JOBS)

run: deps build
	./build/bin/tarnwick

test: test-deps build
	ctest --test-dir build --output-on-failure --timeout 600 -j$(JOBS)
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTARNWICK_SANITIZE=ON >/dev/null
	cmake --build build-asan -j$(JOBS)
	ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --test-dir build-asan --output-on-failure --timeout 600 -j$(JOBS)
	rm -rf build-fuzz/short
	$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=20 FUZZ_WORK=build-fuzz/short

bench: deps
	cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DTARNWICK_TESTS=OFF -DTARNWICK_BENCHMARKS=ON >/dev/null
	cmake --build build-release -j$(JOBS)
	@# bench_present shows a window twice the game's size: a virtual display holds it.
	@# A benchmark that stops with an error still exits with 0: its report says so.
	@for b in build-release/bin/bench_*; do echo "== $$b"; \
	  SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 $(BENCH_SCREEN)" "$$b" \
	    > build-release/last-bench.txt 2>&1; status=$$?; cat build-release/last-bench.txt; \
	  if [ $$status -ne 0 ] || grep -q "ERROR OCCURRED" build-release/last-bench.txt; then exit 1; fi; done

# The fuzzers build with clang in build-fuzz/ and start from seeds cut from
# the assets of build/. `make test` runs each for 20 seconds from the seeds
# alone; `make fuzz` runs each for FUZZ_SECONDS and keeps what it learnt in
# FUZZ_WORK for the next run.
FUZZ_SECONDS ?= 600
FUZZ_WORK ?= build-fuzz/long
fuzz: deps build
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DTARNWICK_FUZZ=ON -DTARNWICK_TESTS=OFF >/dev/null
	cmake --build build-fuzz -j$(JOBS) --target fuzzers
	rm -rf build-fuzz/seeds
	./build/bin/tarnwick-fuzz-seeds build/bin build-fuzz/seeds
	tests/fuzz/run-fuzzers.sh build-fuzz/bin build-fuzz/seeds $(FUZZ_WORK) $(FUZZ_SECONDS)

clean:
	rm -rf build build-asan build-release build-fuzz

# The two commands that set up and run everything on a fresh machine.
.PHONY: demo test format fuzz

demo:
	scripts/deps.sh demo
	cmake -S . -B build/host -G Ninja > /dev/null
	cmake --build build/host --target vdcsim zudoru_mgr_show
	if [ -t 0 ]; then build/host/sim/vdcsim; else build/host/sim/vdcsim --tour; fi

test:
	scripts/test-all.sh

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

# Runs each fuzz target for FUZZ_SECONDS (default 60) with clang's libFuzzer, adding what it
# finds to the corpus that every test run replays.
FUZZ_SECONDS ?= 60
fuzz:
	scripts/deps.sh fuzz
	CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DBUILD_TESTING=OFF -DZMS_FUZZ=ON > /dev/null
	cmake --build build/fuzz --target show_fuzz parser_fuzz history_fuzz switch_fuzz response_fuzz \
	  chassis_fuzz
	for t in show parser history switch response chassis; do \
	  mkdir -p build/fuzz/new/$$t && \
	  build/fuzz/fuzz/$${t}_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=$$(if [ $$t = chassis ]; then echo 4096; else echo 512; fi) build/fuzz/new/$$t fuzz/corpus/$$t && \
	  build/fuzz/fuzz/$${t}_fuzz -merge=1 -use_counters=0 fuzz/corpus/$$t build/fuzz/new/$$t || exit 1; \
	done

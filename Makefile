# The two commands that set up and run everything on a fresh machine.
.PHONY: demo test format

demo:
	scripts/deps.sh
	cmake -S . -B build/host -G Ninja > /dev/null
	cmake --build build/host --target vdcsim zudoru_mgr_show
	if [ -t 0 ]; then build/host/sim/vdcsim; else build/host/sim/vdcsim --tour; fi

test:
	scripts/test-all.sh

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

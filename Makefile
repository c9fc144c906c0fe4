# The two commands that set up and run everything on a fresh machine.
.PHONY: demo test format

demo:
	scripts/deps.sh
	cmake -S . -B build/host -G Ninja > /dev/null
	cmake --build build/host --target vdcsim zudoru_mgr_show
	build/host/sim/vdcsim

test:
	scripts/test-all.sh

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

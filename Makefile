# The two commands of the README. Each first installs what is missing on a Debian machine.
.PHONY: test run bootstrap bench fuzz

bootstrap:
	@bash scripts/bootstrap.sh

test: bootstrap
	@bash scripts/test.sh

run: bootstrap
	@bash scripts/run.sh

bench: bootstrap
	@cmake --preset bench >/dev/null && cmake --build --preset bench -j2 >/dev/null && build/bench/bench/links_file_bench
	@bash scripts/bench-wine.sh

# Each fuzz target for FUZZ_SECONDS (default 60); `make test` only replays the kept inputs.
fuzz: bootstrap
	@bash scripts/fuzz.sh

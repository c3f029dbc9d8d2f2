# The two commands of the README. Each first installs what is missing on a Debian machine.
.PHONY: test run bootstrap bench fuzz

bootstrap:
	@bash scripts/bootstrap.sh

test: bootstrap
	@bash scripts/test.sh

run: bootstrap
	@bash scripts/run.sh

# Every benchmark runs; the command fails at the end when any missed its target or failed.
bench: bootstrap
	@cmake --preset bench >/dev/null && cmake --build --preset bench -j2 >/dev/null 2>&1; \
	status=0; build/bench/bench/links_file_bench || status=1; build/bench/bench/find_bench || status=1; bash scripts/bench-wine.sh || status=1; exit $$status

# Each fuzz target for FUZZ_SECONDS (default 60); `make test` only replays the kept inputs.
fuzz: bootstrap
	@bash scripts/fuzz.sh

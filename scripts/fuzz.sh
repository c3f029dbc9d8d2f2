#!/usr/bin/env bash
# Builds the libFuzzer programs with clang and runs each for a bounded time (FUZZ_SECONDS, 60 by
# default). The kept corpus in fuzz/corpus seeds a working copy under build/, so the repository
# only changes when a person copies an input over; a finding is written to build/fuzz-findings/
# and fails the run. Installs clang and its fuzzing runtime when they are missing.
set -uo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-60}
need=()
command -v clang++ >/dev/null 2>&1 || need+=(clang)
runtime=$(clang++ -print-libgcc-file-name --rtlib=compiler-rt 2>/dev/null || true)
[ -n "$runtime" ] && [ -f "$(dirname "$runtime")/libclang_rt.fuzzer-x86_64.a" ] || need+=(libclang-rt-dev)
if [ ${#need[@]} -gt 0 ]; then
    echo "fuzz: installing ${need[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq && $sudo apt-get install -y -qq "${need[@]}" >/dev/null || exit 1
fi

mkdir -p build/logs
cmake --preset fuzz >build/logs/configure-fuzz.log 2>&1 || { cat build/logs/configure-fuzz.log; exit 1; }
cmake --build --preset fuzz -j "$(nproc)" >build/logs/build-fuzz.log 2>&1 || { grep -E "error" build/logs/build-fuzz.log | head -30; exit 1; }

status=0
for program in build/fuzz/fuzz/fuzz_*; do
    target=$(basename "$program")
    target=${target#fuzz_}
    # The corpus folders are named in snake case: RegistryText -> registry_text.
    name=$(echo "$target" | sed -E 's/([a-z])([A-Z])/\1_\2/g' | tr 'A-Z' 'a-z')
    work=build/fuzz-corpus/$name
    findings=build/fuzz-findings/$name
    mkdir -p "$work" "$findings"
    cp -n fuzz/corpus/"$name"/* "$work"/ 2>/dev/null
    cp -n fuzz/crashes/"$name"/* "$work"/ 2>/dev/null
    echo "== $name: ${seconds}s"
    if ! "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -max_len=65536 \
        -artifact_prefix="$findings/" -print_final_stats=0 "$work" >"build/logs/fuzz-$name.log" 2>&1; then
        echo "finding for $name: see build/logs/fuzz-$name.log and $findings/"
        tail -n 30 "build/logs/fuzz-$name.log"
        status=1
    else
        grep -E "^#[0-9]+ *DONE|Done [0-9]+ runs" "build/logs/fuzz-$name.log" | tail -1
    fi
done
[ $status -eq 0 ] && echo "fuzz: no finding"
exit $status

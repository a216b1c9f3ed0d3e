#!/bin/sh
# Runs every fuzz target of the native build (tests/native) from its seed
# corpus and prints what each did: 10^7 inputs each, or what the libFuzzer
# option given instead allows (the test command gives -max_total_time=20).
# The seed corpora are read only; what the fuzzers learn stays in build/.
set -e
cd "$(dirname "$0")/.."
limit=${1:--runs=10000000}
CC=clang-14 CXX=clang++-14 cmake -S tests/native -B build/native -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native -j2 >/dev/null

status=0
for name in request droplist reply workbooks client_reply unicode; do
    mkdir -p "build/native/corpus/$name"
    log="build/native/$name.log"
    start=$(date +%s)
    if "build/native/${name}_fuzz" "$limit" -print_final_stats=1 \
            -artifact_prefix="build/native/$name-" \
            "build/native/corpus/$name" "tests/native/corpus/$name" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "Fuzzing $name: $runs inputs in $(($(date +%s) - start)) s without a fault"
    else
        tail -40 "$log"
        status=1
    fi
done
exit $status

#!/usr/bin/env bash
# Start-up cost of quorvan: a dialog-free action (a module header from a small
# control file, no IDE running) against a minimal C++ program, each run many times;
# prints the median wall time of each and their ratio.
#
#   bench/quorvan_startup.sh [build directory] [runs]
set -euo pipefail
build=${1:-build}
runs=${2:-200}
quorvan=$(realpath "$build/bin/quorvan")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

export XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/config HOME=$work QUORVAN_UI=tty
mkdir -p "$XDG_RUNTIME_DIR"
printf '[Template]\n// $_Filename $_Date\n' > "$work/MODHDR.CTL"
printf 'int main() { return 0; }\n' > "$work/minimal.cpp"
${CXX:-c++} -O2 -o "$work/minimal" "$work/minimal.cpp"
cd "$work"
"$quorvan" /1 /F main.cpp  # creates the stores once, as on a used machine

# Median of `runs` timings, in microseconds, of the command given.
median_us() {
  for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
  done | sort -n | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'
}

q=$(median_us "$quorvan" /1 /F main.cpp)
m=$(median_us "$work/minimal")
echo "quorvan /1 (module header): median ${q} us over $runs runs"
echo "minimal C++ program:        median ${m} us over $runs runs"
awk -v q="$q" -v m="$m" 'BEGIN { printf "ratio: %.2f\n", q / m }'

#!/usr/bin/env bash
# Start-up cost of quorvan: `quorvan /0` (a function header from the clipboard, no
# IDE running) with its stores in steady state, against a minimal C program (libc
# only). The two run alternately, so that a drift of the machine's speed touches
# both alike; prints the median wall time of each and the ratio of the medians.
# The goal is a ratio of at most 1.5.
#
#   bench/quorvan_startup.sh [build directory] [runs]
set -euo pipefail
build=${1:-build}
runs=${2:-300}
quorvan=$(realpath "$build/bin/quorvan")
work=$(mktemp -d)
# The clipboard lives in the runtime directory, which is memory-backed on a desktop.
run_dir=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
trap 'rm -rf "$work" "$run_dir"' EXIT
chmod 700 "$run_dir"

export XDG_RUNTIME_DIR=$run_dir XDG_CONFIG_HOME=$work/config HOME=$work QUORVAN_UI=tty
printf '[Template]\n// $_Function\n$_FcnStatement\n' > "$work/FCNHDR.CTL"
printf 'int main(void) { return 0; }\n' > "$work/minimal.c"
${CC:-cc} -O2 -o "$work/minimal" "$work/minimal.c"
cd "$work"

clipboard=$run_dir/brackwater/clipboard
selection='int Area(int w, int h)'
# What the IDE's copy leaves: the selection as text, without quorvan's marker.
reset_clipboard() {
  printf 'BRACKWATER-CLIPBOARD 1\nCF_TEXT\n%d\n%s\n' "${#selection}" "$selection" > "$clipboard"
}
mkdir -m 700 -p "$run_dir/brackwater"
"$quorvan" /1 /F main.cpp >/dev/null 2>&1 || true  # creates the configuration store, as on a used machine
reset_clipboard
"$quorvan" /0 >/dev/null 2>&1 || { echo "quorvan /0 failed" >&2; exit 1; }

# Sets cpu_us to the CPU time of all children so far, in microseconds, from bash's
# `times` run in this shell (no subshell: it would count as a child, and a
# subshell's children are not ours).
read_children_cpu() {
  local line field m sec total=0
  times > "$work/times"
  { read -r _; read -r line; } < "$work/times"
  for field in $line; do  # e.g. 0m0.123s
    m=${field%%m*} sec=${field#*m} sec=${sec%s}
    total=$((total + (10#$m * 60 + 10#${sec%.*}) * 1000000 + 10#${sec#*.} * 1000))
  done
  cpu_us=$total
}
q_times=() m_times=() q_cpu=0 m_cpu=0
for ((i = 0; i < runs; i++)); do
  reset_clipboard
  read_children_cpu; before=$cpu_us
  start=${EPOCHREALTIME/./}
  "$quorvan" /0 >/dev/null 2>&1 || true
  end=${EPOCHREALTIME/./}
  read_children_cpu; q_cpu=$((q_cpu + cpu_us - before))
  q_times+=($((end - start)))
  read_children_cpu; before=$cpu_us
  start=${EPOCHREALTIME/./}
  "$work/minimal" >/dev/null 2>&1 || true
  end=${EPOCHREALTIME/./}
  read_children_cpu; m_cpu=$((m_cpu + cpu_us - before))
  m_times+=($((end - start)))
done
median() { printf '%s\n' "$@" | sort -n | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'; }
q=$(median "${q_times[@]}")
m=$(median "${m_times[@]}")
echo "quorvan /0 (function header): median ${q} us over $runs runs"
echo "minimal C program:            median ${m} us over $runs runs"
awk -v q="$q" -v m="$m" 'BEGIN { printf "ratio of the medians: %.2f (goal: at most 1.50)\n", q / m }'
# CPU time does not count waiting for a busy machine's processors.
awk -v q="$q_cpu" -v m="$m_cpu" -v n="$runs" \
  'BEGIN { printf "CPU per run: quorvan %d us, minimal %d us, ratio %.2f\n", q / n, m / n, q / m }'

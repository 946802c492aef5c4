#!/usr/bin/env bash
# What the X11 desktop costs a dialog-free action: `quorvan /0` on the socket desktop
# (clipboard file, no IDE window) against the same action on a private Xvfb with the
# x11_editor_peer focused (copy keys, owner change, selection read, detached owner,
# paste keys). Prints the median wall time of each over many runs.
#
#   bench/quorvan_desktop.sh [build directory] [runs]
set -euo pipefail
build=$(realpath "${1:-build}")
runs=${2:-100}
quorvan=$build/bin/quorvan
work=$(mktemp -d)
xvfb_pid= peer_pid=
cleanup() {
  [ -n "$peer_pid" ] && kill "$peer_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/config HOME=$work QUORVAN_UI=tty
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME/Brackwater Software"
printf '[Template]\n// $_Function\n$_FcnStatement' > "$work/FCNHDR.CTL"
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Brackwater Software\\Tallowick\\Default\\Defaults]\n"Template Path"="%s"\n' \
  "$work" > "$XDG_CONFIG_HOME/Brackwater Software/Tallowick.reg"

median_us() {
  for ((i = 0; i < runs; i++)); do
    "$@" >/dev/null 2>&1 || true
    start=$(date +%s%N)
    "$quorvan" /0 >/dev/null 2>&1 || true
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
  done | sort -n | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'
}

# Each run starts from an unprocessed selection, so that the action does its work.
socket_us=$(median_us env BRACKWATER_DESKTOP=socket sh -c \
  "printf 'int f(int a)' | '$build/bin/brkclip' copy")

exec 3< <(Xvfb -displayfd 1 -nolisten tcp -screen 0 640x480x24 2>/dev/null)
xvfb_pid=$!
read -r display <&3
export DISPLAY=:$display BRACKWATER_DESKTOP=x11
"$build/bin/x11_editor_peer" --log "$work/keys" --document "$work/doc" \
  --selection "int f(int a)" >"$work/peer.out" &
peer_pid=$!
sleep 0.5
x11_us=$(median_us true)

echo "quorvan /0, socket desktop: median ${socket_us} us over $runs runs"
echo "quorvan /0, X11 desktop:    median ${x11_us} us over $runs runs"
echo "editor pastes: $(grep -c 'ctrl+v' "$work/keys")"

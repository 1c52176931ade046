#!/usr/bin/env bash
# The applier as a user runs it: a renamed copy beside its package, on a
# virtual display, the folder typed into the real prompt, the outcome read
# from the window caption and the files.
#   e2e_applier.sh DIST_DIR MAKE_PACKAGE_PROGRAM
set -euo pipefail
dist=$1
make_package=$2

for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "e2e: $tool is not installed (scripts/setup.sh installs it)"; exit 1; }
done

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/pkg" "$work/photos"
cp "$dist/zelfin" "$work/pkg/Fix Update.exe"
cp "$dist/NVIEWLIB.DLL" "$work/pkg/"
"$make_package" "$work/pkg/" "$work/photos/"
before=$(sha256sum "$work/photos/a.jpg" | cut -d' ' -f1)

# A free display number.
display=""
for n in $(seq 90 130); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "e2e: no free display"; exit 1; }
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

export XDG_RUNTIME_DIR=$work/xdg
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
(cd "$work" && exec "$work/pkg/Fix Update.exe") >"$work/app.log" 2>&1 &
app_pid=$!

# The prompt carries header line 0 as its title.
prompt=$(xdotool search --sync --onlyvisible --name "Pick the folder" | head -1)
sleep 0.5
# No window manager runs: give the prompt the keyboard, then type as a user
# does. Its folder field has the focus: replace its text with the folder.
xdotool windowfocus --sync "$prompt"
xdotool key ctrl+a
xdotool type --delay 5 "$work/photos"
sleep 0.3
xdotool key Return

result=$(timeout 30 xdotool search --sync --onlyvisible --name "完了" | head -1) || {
  echo "e2e: no success window; windows now:"; xdotool search --onlyvisible --name '.' getwindowname %@ || true
  cat "$work/app.log"; exit 1; }
after=$(sha256sum "$work/photos/a.jpg" | cut -d' ' -f1)
[ "$before" != "$after" ] || { echo "e2e: the target was not patched"; exit 1; }
[ -f "$work/photos/a.jp~" ] || { echo "e2e: no backup was made"; exit 1; }
[ "$(sha256sum "$work/photos/a.jp~" | cut -d' ' -f1)" = "$before" ] || { echo "e2e: backup differs from the old file"; exit 1; }
[ ! -e "$work/photos/tmp.bmp" ] || { echo "e2e: working file left behind"; exit 1; }

# OK ends the program: a real click on the button at (120, 48), 75 x 25.
eval "$(xdotool getwindowgeometry --shell "$result")"
xdotool mousemove $((X + 157)) $((Y + 60)) click 1
for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app_pid" 2>/dev/null; then echo "e2e: the program did not end on OK"; exit 1; fi
wait "$app_pid" || { echo "e2e: the program failed"; cat "$work/app.log"; exit 1; }
app_pid=""
echo "e2e: patched through the real prompt and closed with OK"

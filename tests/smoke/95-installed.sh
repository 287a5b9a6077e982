#!/usr/bin/env bash
# The game installed under /usr in a scratch DESTDIR and started from an empty folder, as a
# desktop menu would: it reads its images, sounds and music from share/vexlume2 beside its
# bin folder, its settings from XDG_CONFIG_HOME, keeps scores and replays in XDG_DATA_HOME
# (making the folders it needs) and writes nothing where it was started. The desktop entry
# and the AppStream data pass their validators.
source "$(dirname "$0")/lib.bash"
dest=$work/dest
DESTDIR=$dest cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 ||
    fail "install failed: $(tail -5 "$work/install.log")"
program=$dest/usr/bin/vexlume2
[ -x "$program" ] || fail "no $program"
for d in gfx/high sounds music; do
    [ -d "$dest/usr/share/vexlume2/$d" ] || fail "no share/vexlume2/$d"
done
desktop-file-validate "$dest/usr/share/applications/vexlume2.desktop" ||
    fail "desktop-file-validate failed"
# The AppStream data, and its launchable against the installed desktop entry and icons.
appstreamcli validate-tree --no-net "$dest" >"$work/as.log" 2>&1 ||
    fail "appstreamcli: $(cat "$work/as.log")"
for s in 48 64 128 256; do
    icon=$dest/usr/share/icons/hicolor/${s}x$s/apps/vexlume2.png
    [ "$(identify -format "%wx%h" "$icon" 2>/dev/null)" = "${s}x$s" ] || fail "no ${s}x$s icon"
done
[ -s "$dest/usr/share/man/man6/vexlume2.6" ] || fail "no manual page"

home=$work/home
cfg=$work/xdg/config
data=$work/xdg/data/deep # no such folder yet: the game makes it
run=$work/run
mkdir -p "$home" "$cfg/vexlume2" "$run"
printf '%s\r\n' "[Windowed]" "True" "[Screen Width]" 1024 "[Screen Height]" 768 \
    "[Control Type]" "Keyboard" >"$cfg/vexlume2/Config.txt"
cp "$cfg/vexlume2/Config.txt" "$work/Config.start"
installed() { (cd "$run" && HOME=$home XDG_CONFIG_HOME=$cfg XDG_DATA_HOME=$data "$program" "$@"); }

out=$(installed --version) || fail "--version failed"
grep -q "^vexlume2 [0-9]" <<<"$out" || fail "--version printed: $out"
grep -q "(installed)" <<<"$out" || fail "--version does not say installed: $out"
grep -qF "$dest/usr/share/vexlume2/{gfx,sounds,music}" <<<"$out" || fail "assets not named: $out"
grep -q "not found" <<<"$out" && fail "assets not found: $out"
grep -qF "$cfg/vexlume2/Config.txt" <<<"$out" || fail "settings not named: $out"
grep -qF "$data/vexlume2/hiscores.dat" <<<"$out" || fail "scores not named: $out"
# Without XDG variables the folders follow HOME.
out=$(cd "$run" && env -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME="$home" "$program" --help)
grep -qF "$home/.config/vexlume2/Config.txt" <<<"$out" || fail "--help without XDG: $out"
grep -qF "$home/.local/share/vexlume2/replays/" <<<"$out" || fail "--help without XDG: $out"

rm -f "$states" "$states.frames"
(cd "$run" && HOME=$home XDG_CONFIG_HOME=$cfg XDG_DATA_HOME=$data VEX_STATE_LOG=$states \
    exec "$program") >"$work/out.log" 2>&1 &
pid=$!
find_window
wait_state title
# The size comes from the Config.txt in XDG_CONFIG_HOME.
read -r w h < <(xdotool getwindowgeometry "$wid" | awk '/Geometry/ { split($2, s, "x"); print s[1], s[2] }')
[ "$w" -eq 1024 ] && [ "$h" -eq 768 ] || fail "window is ${w}x$h, not the 1024x768 of Config.txt"
wait_bright title 700x200+160+200 60 "title text"
key space
wait_state play
wait_lit play 200x40+0+0 0 200 0 "score line"
quit

grep -i "cannot" "$work/out.log" && fail "the installed game missed a file"
cmp -s "$cfg/vexlume2/Config.txt" "$work/Config.start" && fail "Config.txt was not written again"
[ "$(wc -l <"$cfg/vexlume2/Config.txt")" -eq 282 ] || fail "Config.txt is not whole"
[ "$(wc -l <"$data/vexlume2/hiscores.dat")" -eq 90 ] || fail "no whole hiscores.dat in $data/vexlume2"
[ -s "$data/vexlume2/replays/last.vxr" ] || fail "no replays/last.vxr in $data/vexlume2"
[ -z "$(ls -A "$run")" ] || fail "wrote into the working directory: $(ls -A "$run")"
[ -z "$(ls -A "$home")" ] || fail "wrote into HOME despite the XDG folders: $(ls -A "$home")"
out=$(installed --verify "$data/vexlume2/replays/last.vxr") || fail "--verify said: $out"
exit 0

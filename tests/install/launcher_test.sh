#!/usr/bin/env bash
# The installed launcher with a scratch HOME. The window program next to it
# is replaced by a stand-in that records its folder and its arguments, so no
# display is needed.
# Usage: launcher_test.sh DESTDIR
set -euo pipefail
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix="$scratch/usr"
cp -r "$1/usr" "$prefix"
log="$scratch/window.log"
cat > "$prefix/bin/orbiton" <<STANDIN
#!/bin/sh
{ pwd; printf '%s\n' "\$@"; } > "$log"
STANDIN
shipped="$prefix/share/orbiton"
shipped_names="$(cd "$shipped" && ls)"

start() {  # start HOME [launcher path]: runs the launcher from the root folder
  rm -f "$log"
  (cd / && HOME="$1" "${2:-$prefix/bin/orbiton-launcher}" --eins "zwei drei") 2> "$scratch/stderr" ||
    fail "launcher exit status"
  [ -f "$log" ] || fail "window not started"
}
same_as_shipped() {
  for name in $shipped_names; do cmp -s "$shipped/$name" "$1/$name" || fail "$1/$name is not the shipped file"; done
}

# First start: the folder is made and filled; the window starts there with
# the arguments unchanged.
home="$scratch/home"
mkdir "$home"
start "$home"
work="$home/Orbiton"
[ "$(cat "$log")" = "$work
--eins
/zwei drei" ] || fail "window folder or arguments: $(cat "$log")"
[ "$(cd "$work" && ls -A)" = "$shipped_names" ] || fail "first start copied: $(ls -A "$work")"
same_as_shipped "$work"
[ -w "$work/default.ads" ] || fail "copied file is not writable for the user"

# Second start: an edited file, an own file and a replaced material file
# stay as the user left them; a deleted shipped file comes back.
printf 'geändert\r\n' > "$work/default.ads"
touch -d '2001-01-01' "$work/default.ads"
printf 'eigen\r\n' > "$work/eigen.wks"
material="$(basename "$(ls "$shipped"/*.wks | head -1)")"
rm "$work/$material"
before="$(cd "$work" && stat -c '%n %s %Y' default.ads eigen.wks)"
start "$home"
[ "$(head -1 "$log")" = "$work" ] || fail "second start folder"
[ "$(cd "$work" && stat -c '%n %s %Y' default.ads eigen.wks)" = "$before" ] || fail "second start changed user files"
cmp -s "$shipped/$material" "$work/$material" || fail "deleted shipped file not copied again"
[ -z "$(cd "$work" && ls -A | grep '^\.')" ] || fail "hidden leftovers in $work"

# A folder the user made before the first start, with an own default.ads and
# a dangling link of a material's name, reached through a link to the launcher.
home="$scratch/home2"
mkdir -p "$home/Orbiton" "$scratch/links"
printf 'meins\r\n' > "$home/Orbiton/default.ads"
ln -s "$scratch/nirgends" "$home/Orbiton/$material"
ln -s "$prefix/bin/orbiton-launcher" "$scratch/links/orbiton-launcher"
start "$home" "$scratch/links/orbiton-launcher"
[ "$(cat "$home/Orbiton/default.ads")" = $'meins\r' ] || fail "own default.ads replaced"
[ -L "$home/Orbiton/$material" ] || fail "dangling link replaced"

# A working folder that cannot be made: a message, and the window starts in HOME.
home="$scratch/home3"
mkdir "$home"
touch "$home/Orbiton"
start "$home"
[ "$(head -1 "$log")" = "$home" ] || fail "fallback folder: $(head -1 "$log")"
grep -q "Arbeitsordner $home/Orbiton" "$scratch/stderr" || fail "no message: $(cat "$scratch/stderr")"
# A stand-in for cp, found first on PATH: it waits SLOW seconds and can make
# a user's file of the target's name while it copies (PLANT).
tools="$scratch/tools"
mkdir "$tools"
cat > "$tools/cp" <<'SLOWCOPY'
#!/bin/sh
[ -z "${PLANT:-}" ] || printf 'meins\r\n' > "$(dirname "$2")/$PLANT"
: >> "$2"
sleep "${SLOW:-0}"
exec /bin/cp "$@"
SLOWCOPY
chmod +x "$tools/cp"
hidden() { (cd "$1" && ls -A | grep '^\.' || true); }

# Links planted at the names the launcher once used for its copies
# (".NAME.PID") are never written through.
home="$scratch/home4"
mkdir -p "$home/Orbiton"
printf 'Opfer\n' > "$scratch/opfer"
(cd / && HOME="$home" sh -c 'for name in "$@"; do ln -s "$0" "$HOME/Orbiton/.$name.$$"; done
  exec "'"$prefix/bin/orbiton-launcher"'"' "$scratch/opfer" $shipped_names) 2> "$scratch/stderr" ||
  fail "launcher with planted links: $(cat "$scratch/stderr")"
[ "$(cat "$scratch/opfer")" = "Opfer" ] || fail "planted link written through"
same_as_shipped "$home/Orbiton"

# A default.ads that appears while the launcher copies stays as it is.
home="$scratch/home5"
mkdir "$home"
(cd / && HOME="$home" PATH="$tools:$PATH" PLANT=default.ads "$prefix/bin/orbiton-launcher") 2> "$scratch/stderr" ||
  fail "launcher during a race: $(cat "$scratch/stderr")"
[ "$(cat "$home/Orbiton/default.ads")" = $'meins\r' ] || fail "file made during the copy was replaced"
[ -z "$(hidden "$home/Orbiton")" ] || fail "hidden leftovers after a race: $(hidden "$home/Orbiton")"

# Ended by a signal during a slow copy: no hidden file stays, the launcher
# ends by that signal and the window is not started.
for signal in TERM INT; do
  home="$scratch/home-$signal"
  mkdir "$home"
  rm -f "$log"
  (cd / && HOME="$home" PATH="$tools:$PATH" SLOW=1 exec "$prefix/bin/orbiton-launcher") 2> /dev/null &
  launcher=$!
  for _ in $(seq 100); do [ -n "$(hidden "$home/Orbiton" 2>/dev/null)" ] && break; sleep 0.05; done
  [ -n "$(hidden "$home/Orbiton")" ] || fail "no copy under way ($signal)"
  kill -s "$signal" "$launcher"
  status=0
  wait "$launcher" || status=$?
  [ "$status" -eq $((128 + $(kill -l "$signal"))) ] || fail "launcher ended with $status after SIG$signal"
  [ -z "$(hidden "$home/Orbiton")" ] || fail "hidden leftovers after SIG$signal: $(hidden "$home/Orbiton")"
  [ ! -f "$log" ] || fail "window started after SIG$signal"
done

# The desktop's file argument: a relative name (also after "--") is made
# absolute against the caller's folder, an absolute one stays.
mkdir -p "$scratch/caller"
(cd "$scratch/caller" && HOME="$scratch/home" "$prefix/bin/orbiton-launcher" a.ads /x/b.ads -- -c.ads) ||
  fail "launcher exit status"
[ "$(tail -n +2 "$log")" = "$scratch/caller/a.ads
/x/b.ads
--
$scratch/caller/-c.ads" ] || fail "file arguments: $(cat "$log")"
echo "launcher prepares ~/Orbiton and leaves user files alone"

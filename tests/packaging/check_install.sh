#!/usr/bin/env bash
# Installs a build into temporary folders and checks what lands there:
#   check_install.sh CMAKE BUILD_DIR SOURCE_DIR
# the self-contained program folder (and that Kestrel starts from it), the
# "system" component (the Debian package's /usr files) under DESTDIR, and the
# launcher of the installed system, run against a stand-in program.
set -uo pipefail

cmake=$1
build=$(cd "$2" && pwd) || exit 1
source=$(cd "$3" && pwd) || exit 1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cd "$tmp" || exit 1 # so that a relative path lands here too

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
check() { local what=$1; shift; "$@" || fail "$what"; }
install_into() { "$cmake" --install "$build" "$@" >"$tmp/install.log" 2>&1 || fail "cmake --install $* $(cat "$tmp/install.log")"; }

data_names=()
for f in "$source"/data/*; do data_names+=("$(basename "$f")"); done
((${#data_names[@]})) || fail "no data files in $source/data"

# The desktop entry, and the icons: the SVG and a 256x256 PNG (its signature,
# then the IHDR width and height at bytes 16-23).
check_shared() {
  local share=$1 entry=$1/applications/kestrel.desktop key
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" >"$tmp/validate.log" 2>&1 || fail "$entry: $(cat "$tmp/validate.log")"
  fi
  [[ $(head -n1 "$entry") == '[Desktop Entry]' ]] || fail "$entry: no [Desktop Entry] group first"
  for key in 'Type=Application' 'Name=Kestrel' 'Exec=kestrel' 'Icon=kestrel' 'Terminal=false' \
    'GenericName=.+' 'GenericName\[fr\]=.+' 'Comment=.+' 'Comment\[fr\]=.+' 'Categories=AudioVideo;Audio;'; do
    grep -qxE -- "$key" "$entry" || fail "$entry: no line $key"
  done
  check "scalable icon in $share" cmp -s "$source/packaging/kestrel.svg" "$share/icons/hicolor/scalable/apps/kestrel.svg"
  local png=$share/icons/hicolor/256x256/apps/kestrel.png
  [[ $(od -An -tx1 -N8 "$png" | tr -d ' \n') == 89504e470d0a1a0a &&
    $(od -An -tx1 -j16 -N8 "$png" | tr -d ' \n') == 0000010000000100 ]] || fail "$png is no 256 px PNG"
}

# --- The self-contained program folder: Kestrel starts from it, with no
# settings it waits in its first dialog, so timeout stops it (124); a missing
# library, plugin or data file ends it at once.
folder=$tmp/folder
install_into --prefix "$folder"
for name in "${data_names[@]}"; do check "$name beside kestrel" cmp -s "$source/data/$name" "$folder/$name"; done
check "kestrel-batch is executable" test -f "$folder/kestrel-batch" -a -x "$folder/kestrel-batch"
check "the sound module is in its folder" test -f "$folder/modules/kestrel_sound.so"
check "sndpack and bin/ are not installed" test ! -e "$folder/sndpack" -a ! -e "$folder/bin"
check_shared "$folder/share"
mkdir -m 700 "$tmp/runtime"
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$tmp/runtime timeout 3 "$folder/kestrel" >"$tmp/start.log" 2>&1 </dev/null
rc=$?
[[ $rc == 124 ]] || fail "kestrel from $folder ended with $rc: $(cat "$tmp/start.log")"

# --- The system's files, as the Debian package carries them.
root=$tmp/root
DESTDIR=$root install_into --component system
launcher=$root/usr/bin/kestrel
check "/usr/bin/kestrel runs /usr/lib/kestrel" grep -qx "install_dir='/usr/lib/kestrel'" "$launcher"
check "/usr/bin/kestrel is executable" test -x "$launcher"
check "nothing of the program folder in the system component" test ! -e "$root/usr/lib"
for doc in doc/kestrel/copyright doc/kestrel/changelog.gz man/man1/kestrel.1.gz \
  metainfo/io.github.kestrel_editor.kestrel.metainfo.xml; do
  check "/usr/share/$doc" test -s "$root/usr/share/$doc"
done
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net --pedantic "$root"/usr/share/metainfo/*.metainfo.xml \
    >"$tmp/appstream.log" 2>&1 || fail "AppStream metadata: $(cat "$tmp/appstream.log")"
fi
check_shared "$root/usr/share"

# --- The launcher, on an installation whose kestrel writes down its arguments.
opt=$tmp/opt
mkdir -p "$opt" && cp "${data_names[@]/#/$source/data/}" "$opt/"
cat >"$opt/kestrel" <<'STUB'
#!/bin/bash
printf '%s\n' "$@" >"$STUB_ARGS"
STUB
sed "s|^install_dir=.*|install_dir='$opt'|" "$launcher" >"$tmp/launcher"
chmod +x "$opt/kestrel" "$tmp/launcher"

home=$tmp/home
own=$home/.local/share/kestrel
# Kestrel.tod is the file users edit; $first plays a file left alone.
check "Kestrel.tod is a data file" test -f "$source/data/Kestrel.tod"
for first in "${data_names[@]}"; do [[ $first == Kestrel.tod ]] || break; done

# Runs the launcher as a user with HOME=$home (VAR=value settings first), and
# checks the arguments kestrel got: "WHAT [VAR=value...] -- ARGS -- EXPECTED".
launch() {
  local what=$1 settings=() args=()
  shift
  while [[ $1 != -- ]]; do settings+=("$1"); shift; done
  shift
  while [[ $1 != -- ]]; do args+=("$1"); shift; done
  shift
  env -u XDG_DATA_HOME -u KESTREL_APPDIR HOME="$home" STUB_ARGS="$tmp/args" "${settings[@]}" \
    "$tmp/launcher" "${args[@]}" || fail "$what: the launcher failed"
  [[ $(cat "$tmp/args" 2>/dev/null) == "$(printf '%s\n' "$@")" ]] ||
    fail "$what: kestrel got [$(tr '\n' ' ' <"$tmp/args" 2>/dev/null)], expected [$*]"
  rm -f "$tmp/args"
}
same_as_shipped() {
  local name
  for name in "${data_names[@]}"; do cmp -s "$opt/$name" "$1/$name" || return 1; done
}
is() { grep -qx "$2" "$own/$1"; }

launch "first start" -- -x 'a b' -- --appdir "$own" -x 'a b'
check "first start copies every data file" same_as_shipped "$own"

echo 'edited by the user' >"$own/Kestrel.tod"
echo 'settings' >"$own/Kestrel.par"
rm "$own/$first"
launch "later start" -- -- --appdir "$own"
check "an edited file is kept" is Kestrel.tod 'edited by the user'
check "a removed data file comes back" cmp -s "$opt/$first" "$own/$first"

# An upgrade: files the user never changed follow the new installation,
# edited ones stay the user's.
for name in "${data_names[@]}"; do echo "new version" >>"$opt/$name"; done
launch "upgrade" -- -- --appdir "$own"
for name in "${data_names[@]}"; do
  [[ $name == Kestrel.tod ]] || check "the upgrade brings the new $name" cmp -s "$opt/$name" "$own/$name"
done
check "the upgrade keeps the edited Kestrel.tod" is Kestrel.tod 'edited by the user'
check "the settings survive the upgrade" is Kestrel.par settings

# A file that matched the installation is never replaced once the user
# changes it.
echo 'changed later' >"$own/$first"
launch "after a change" -- -- --appdir "$own"
check "a file changed after its copy is kept" is "$first" 'changed later'

# Where the user's folder is, and explicit folders, for a new user.
home=$tmp/home2
own=$home/.local/share/kestrel
launch "XDG_DATA_HOME" XDG_DATA_HOME="$tmp/xdg" -- -- --appdir "$tmp/xdg/kestrel"
check "data files in XDG_DATA_HOME" same_as_shipped "$tmp/xdg/kestrel"
launch "relative XDG_DATA_HOME is ignored" XDG_DATA_HOME=rel -- -- --appdir "$own"
check "data files in HOME" same_as_shipped "$own"
launch "--appdir DIR" XDG_DATA_HOME="$tmp/no" -- --appdir "$tmp/mine" -- --appdir "$tmp/mine"
launch "--appdir=DIR" XDG_DATA_HOME="$tmp/no" -- --appdir="$tmp/mine" -- --appdir="$tmp/mine"
launch "KESTREL_APPDIR" KESTREL_APPDIR="$tmp/mine" XDG_DATA_HOME="$tmp/no" -- -v -- -v
check "an explicit folder makes no folder of the user's" test ! -e "$tmp/no"

# Without HOME nor XDG_DATA_HOME there is nowhere to go: a clear failure.
env -u HOME -u XDG_DATA_HOME -u KESTREL_APPDIR STUB_ARGS="$tmp/args" "$tmp/launcher" 2>"$tmp/nohome.log" &&
  fail "the launcher without HOME succeeded"
check "without HOME the launcher says why" grep -q HOME "$tmp/nohome.log"
check "without HOME kestrel is not started" test ! -e "$tmp/args"

((failures)) && { echo "$failures check(s) failed" >&2; exit 1; }
echo "installed layout, system files and launcher: all checks passed"

#!/usr/bin/env bash
# Installs a build into temporary folders and checks what lands there:
#   check_install.sh CMAKE BUILD_DIR SOURCE_DIR
# - `cmake --install BUILD --prefix DIR`: the self-contained program folder,
#   its desktop entry and icons, and that Kestrel starts from it;
# - the "system" component (the Debian package's /usr files) under DESTDIR;
# - the launcher of the installed system, run against a stand-in program.
set -uo pipefail

cmake=$1
build=$(cd "$2" && pwd) || exit 1
source=$(cd "$3" && pwd) || exit 1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
check() { local what=$1; shift; "$@" || fail "$what"; }

data_names=()
for f in "$source"/data/*; do data_names+=("$(basename "$f")"); done
((${#data_names[@]})) || fail "no data files in $source/data"

png_is_256() {
  # PNG signature, then the IHDR width and height (big-endian) at bytes 16-23.
  [[ $(od -An -tx1 -N8 "$1" | tr -d ' \n') == 89504e470d0a1a0a ]] &&
    [[ $(od -An -tx1 -j16 -N8 "$1" | tr -d ' \n') == 0000010000000100 ]]
}

check_desktop_entry() {
  local entry=$1
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" >"$tmp/validate.log" 2>&1 ||
      fail "desktop-file-validate $entry: $(cat "$tmp/validate.log")"
  fi
  [[ $(head -n1 "$entry") == '[Desktop Entry]' ]] || fail "$entry: no [Desktop Entry] group first"
  local key
  for key in 'Type=Application' 'Name=Kestrel' 'Exec=kestrel' 'Icon=kestrel' 'Terminal=false'; do
    grep -qx -- "$key" "$entry" || fail "$entry: no line $key"
  done
  for key in GenericName 'GenericName\[fr\]' Comment 'Comment\[fr\]' Categories; do
    grep -qE "^$key=.+" "$entry" || fail "$entry: no $key"
  done
  grep -qE '^Categories=(.*;)?(Development|Game);' "$entry" || fail "$entry: not in Development or Game"
}

# --- The self-contained program folder --------------------------------------

folder=$tmp/folder
"$cmake" --install "$build" --prefix "$folder" >"$tmp/install.log" 2>&1 ||
  { cat "$tmp/install.log" >&2; fail "cmake --install $build"; }

for program in kestrel kestrel-batch; do
  check "$program is an executable file" test -f "$folder/$program" -a -x "$folder/$program"
done
for name in "${data_names[@]}"; do
  check "$name beside kestrel, as in data/" cmp -s "$source/data/$name" "$folder/$name"
done
check "sndpack is not installed" test ! -e "$folder/sndpack"
check_desktop_entry "$folder/share/applications/kestrel.desktop"
check "scalable icon" cmp -s "$source/packaging/kestrel.svg" "$folder/share/icons/hicolor/scalable/apps/kestrel.svg"
check "256 px icon" png_is_256 "$folder/share/icons/hicolor/256x256/apps/kestrel.png"
check "no launcher in the self-contained folder" test ! -e "$folder/bin"

# Kestrel starts from its folder: with no settings it waits in its first
# dialog, so it is still running when timeout stops it (124). A missing
# library or platform plugin ends it at once.
if [[ -x $folder/kestrel ]]; then
  mkdir -m 700 "$tmp/runtime"
  QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$tmp/runtime timeout 3 "$folder/kestrel" \
    >"$tmp/start.log" 2>&1 </dev/null
  rc=$?
  [[ $rc == 124 ]] || fail "kestrel from $folder ended with $rc: $(cat "$tmp/start.log")"
fi

# --- The system's files, as the Debian package carries them ------------------

root=$tmp/root
DESTDIR=$root "$cmake" --install "$build" --component system >"$tmp/system.log" 2>&1 ||
  { cat "$tmp/system.log" >&2; fail "cmake --install --component system"; }
launcher=$root/usr/bin/kestrel
check "/usr/bin/kestrel is executable" test -f "$launcher" -a -x "$launcher"
check "/usr/bin/kestrel runs /opt/kestrel" grep -qx "install_dir='/opt/kestrel'" "$launcher"
check_desktop_entry "$root/usr/share/applications/kestrel.desktop"
check "system scalable icon" test -s "$root/usr/share/icons/hicolor/scalable/apps/kestrel.svg"
check "system 256 px icon" png_is_256 "$root/usr/share/icons/hicolor/256x256/apps/kestrel.png"
check "nothing of the program folder in the system component" test ! -e "$root/opt"

# --- The launcher ------------------------------------------------------------

# Inside the temporary folder, so that a relative path lands there too.
cd "$tmp" || exit 1

# An installation whose kestrel writes down its arguments, one per line.
opt=$tmp/opt
mkdir -p "$opt"
for name in "${data_names[@]}"; do cp "$source/data/$name" "$opt/"; done
cat >"$opt/kestrel" <<'STUB'
#!/bin/bash
printf '%s\n' "$@" >"$STUB_ARGS"
STUB
chmod +x "$opt/kestrel"
sed "s|^install_dir=.*|install_dir='$opt'|" "$launcher" >"$tmp/launcher"
chmod +x "$tmp/launcher"

home=$tmp/home
own=$home/.local/share/kestrel
# Kestrel.tod is the file users edit; another one plays a file left alone.
check "Kestrel.tod is a data file" test -f "$source/data/Kestrel.tod"
first=
for name in "${data_names[@]}"; do [[ $name == Kestrel.tod ]] || { first=$name; break; }; done

# Runs the launcher as a user with HOME=$home; extra VAR=value settings first.
launch() {
  env -u XDG_DATA_HOME -u KESTREL_APPDIR HOME="$home" STUB_ARGS="$tmp/args" "$@"
}
expect_args() {
  local what=$1; shift
  local expected
  expected=$(printf '%s\n' "$@")
  [[ $(cat "$tmp/args" 2>/dev/null) == "$expected" ]] ||
    fail "$what: kestrel got [$(tr '\n' ' ' <"$tmp/args" 2>/dev/null)], expected [$*]"
  rm -f "$tmp/args"
}
same_as_shipped() {
  local dir=$1 name
  for name in "${data_names[@]}"; do cmp -s "$opt/$name" "$dir/$name" || return 1; done
}

# First start: the user's folder gets every data file.
launch "$tmp/launcher" -x 'a b' || fail "launcher on a first start"
expect_args "first start" --appdir "$own" -x 'a b'
check "first start copies every data file" same_as_shipped "$own"

# What the user has is kept; a file removed comes back.
echo 'edited by the user' >"$own/Kestrel.tod"
echo 'settings' >"$own/Kestrel.par"
rm "$own/$first"
launch "$tmp/launcher" || fail "launcher on a later start"
expect_args "later start" --appdir "$own"
check "an edited file is kept" grep -qx 'edited by the user' "$own/Kestrel.tod"
check "the settings are kept" grep -qx 'settings' "$own/Kestrel.par"
check "a removed data file comes back" cmp -s "$opt/$first" "$own/$first"

# An upgrade: files the user never changed follow the new installation,
# edited ones stay the user's.
for name in "${data_names[@]}"; do echo "new version" >>"$opt/$name"; done
launch "$tmp/launcher" || fail "launcher after an upgrade"
for name in "${data_names[@]}"; do
  if [[ $name == Kestrel.tod ]]; then
    check "the upgrade keeps the edited $name" grep -qx 'edited by the user' "$own/$name"
  else
    check "the upgrade brings the new $name" cmp -s "$opt/$name" "$own/$name"
  fi
done
check "the settings survive the upgrade" grep -qx 'settings' "$own/Kestrel.par"
rm -f "$tmp/args"

# A user's own file that happens to match the installation is never replaced
# once the user changes it again.
launch "$tmp/launcher" >/dev/null
echo 'changed later' >"$own/$first"
launch "$tmp/launcher" >/dev/null
check "a file changed after its copy is kept" grep -qx 'changed later' "$own/$first"
rm -f "$tmp/args"

# Where the user's folder is, and explicit folders, for a new user.
home=$tmp/home2
own=$home/.local/share/kestrel
# name | environment | arguments | expected arguments | folder that must be filled
cases=(
  "XDG_DATA_HOME|XDG_DATA_HOME=$tmp/xdg||--appdir $tmp/xdg/kestrel|$tmp/xdg/kestrel"
  "relative XDG_DATA_HOME is ignored|XDG_DATA_HOME=rel||--appdir $own|$own"
  "--appdir DIR is left alone|XDG_DATA_HOME=$tmp/no1|--appdir $tmp/mine|--appdir $tmp/mine|"
  "--appdir=DIR is left alone|XDG_DATA_HOME=$tmp/no2|--appdir=$tmp/mine|--appdir=$tmp/mine|"
  "KESTREL_APPDIR is left alone|KESTREL_APPDIR=$tmp/mine XDG_DATA_HOME=$tmp/no3|-v|-v|"
)
for row in "${cases[@]}"; do
  IFS='|' read -r name environment arguments expected filled <<<"$row"
  # shellcheck disable=SC2086 # the fields are lists of words
  launch $environment "$tmp/launcher" $arguments || fail "$name: the launcher failed"
  # shellcheck disable=SC2086
  expect_args "$name" $expected
  if [[ -n $filled ]]; then
    check "$name: data files in $filled" same_as_shipped "$filled"
  fi
done
for unused in no1 no2 no3; do
  check "an explicit folder makes no folder of the user's ($unused)" test ! -e "$tmp/$unused"
done

# Without HOME nor XDG_DATA_HOME there is nowhere to go: a clear failure.
if env -u HOME -u XDG_DATA_HOME -u KESTREL_APPDIR STUB_ARGS="$tmp/args" "$tmp/launcher" \
  2>"$tmp/nohome.log"; then
  fail "the launcher without HOME succeeded"
fi
check "without HOME the launcher says why" grep -q HOME "$tmp/nohome.log"
check "without HOME kestrel is not started" test ! -e "$tmp/args"

if ((failures)); then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "installed layout, system files and launcher: all checks passed"

#!/usr/bin/env bash
# Installs, with apt, what Kestrel needs on Debian 12. Quick when everything
# is already there.
#   scripts/install-deps.sh         # building and running the program
#   scripts/install-deps.sh --dev   # and the developer tools: tests, benchmarks,
#                                   # clang with the sanitizer runtime, clang-tidy,
#                                   # clang-format, the package tools
#   scripts/install-deps.sh --windows  # the Windows build of the Qt-free parts
#                                   # (MinGW-w64, GoogleTest's sources) and Wine
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-multimedia-dev qt6-translations-l10n
  xvfb xauth fonts-dejavu-core
  python3
)
if [[ "${1:-}" == "--windows" ]]; then
  packages=(cmake ninja-build python3 g++-mingw-w64-x86-64-posix googletest wine64)
elif [[ "${1:-}" == "--dev" ]]; then
  packages+=(
    libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev clang-tidy clang-format
    dpkg-dev file appstream
  )
fi

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing: ${missing[*]}"
as_root=()
if [[ $(id -u) -ne 0 ]]; then
  as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the desktop program need.
# Idempotent: only packages that are missing are installed.
#   --windows  also the MinGW-w64 cross compiler and Wine used by scripts/windows-build.sh
#              (GoogleTest for the target is built from the googletest source package).
#   --fuzz     also clang and its sanitizer and libFuzzer runtimes (scripts/fuzz.sh).
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev libboost-math-dev
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-svg-dev
  libxlsxwriter-dev unzip
  libnlopt-cxx-dev
  fonts-liberation xvfb xauth
  poppler-utils time
  pybind11-dev python3-pybind11 python3-dev python3-numpy python3-pytest
)
for arg in "$@"; do
  case "$arg" in
    --fuzz) packages+=(clang libclang-rt-14-dev) ;;
    --windows) packages+=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64 googletest) ;;
    *) echo "install-deps.sh: unknown option $arg (known: --windows, --fuzz)" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, the benchmarks and the
# tool need, when any is missing. Safe to run again: it does nothing when all
# are present. Needs root (or sudo) only when something must be installed.
set -euo pipefail

packages=(
  cmake g++ make pkg-config binutils
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev
  libeigen3-dev libgsl-dev liblapack-dev libboost-math-dev libglpk-dev
  libsisl-dev lib2geom-dev
  libxml2-utils
  # clang with its runtimes: the clang build, its sanitizers and libFuzzer
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

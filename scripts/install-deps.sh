#!/usr/bin/env bash
# Installs the Debian packages a task needs, when any is missing:
#
#   scripts/install-deps.sh          the library and the command-line tool
#   scripts/install-deps.sh test     ... and the tests (GoogleTest, the reference libraries, xmllint)
#   scripts/install-deps.sh bench    ... and the benchmarks (Google Benchmark and every peer library)
#   scripts/install-deps.sh docs     ... and the reference documentation (doxygen)
#   scripts/install-deps.sh clang    ... and clang with its sanitizer and fuzzer runtimes
#
# Several groups may be given. Safe to run again: it does nothing when all are
# present. Needs root (or sudo) only when something must be installed.
set -euo pipefail

base=(cmake g++ make pkg-config binutils nlohmann-json3-dev)
test_peers=(libeigen3-dev libgsl-dev liblapack-dev libboost-math-dev libglpk-dev)
test=(libgtest-dev libgmock-dev libxml2-utils "${test_peers[@]}"
      pybind11-dev python3-dev python3-numpy python3-pytest python3-dask python3-distributed)
bench=(libbenchmark-dev "${test_peers[@]}" libsisl-dev lib2geom-dev libfftw3-dev)
docs=(doxygen)
# clang with its runtimes: the clang build, its sanitizers and libFuzzer (CI)
clang=(clang libclang-rt-14-dev)

packages=("${base[@]}")
for group in "$@"; do
  case "$group" in
    test) packages+=("${test[@]}") ;;
    bench) packages+=("${bench[@]}") ;;
    docs) packages+=("${docs[@]}") ;;
    clang) packages+=("${clang[@]}") ;;
    *) echo "install-deps.sh: unknown group \"$group\" (expected test, bench, docs or clang)" >&2; exit 2 ;;
  esac
done

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

#!/usr/bin/env bash
# Runs every bundled example with the native colsec and with the aarch64
# one under qemu-aarch64-static, each in a folder of its own, and compares
# the four result files byte for byte. Names every file that differs and
# fails if any does.
#
# usage: .ci/aarch64-examples.sh NATIVE_COLSEC AARCH64_COLSEC
set -euo pipefail
native=$(realpath "$1")
arm=$(realpath "$2")
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/native" "$work/aarch64"
cp examples/*.txt "$work/native/"
cp examples/*.txt "$work/aarch64/"
differ=0
for input in examples/*.txt; do
  name=$(basename "$input")
  (cd "$work/native" && "$native" "$name" >/dev/null)
  (cd "$work/aarch64" && qemu-aarch64-static "$arm" "$name" >/dev/null)
  for suffix in .cclog _Section.res _Interaction.res _Validation.res; do
    file=${name%.txt}$suffix
    if cmp -s "$work/native/$file" "$work/aarch64/$file"; then
      echo "same:   $file"
    else
      echo "DIFFER: $file"
      differ=1
    fi
  done
done
exit $differ

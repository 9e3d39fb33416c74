#!/usr/bin/env bash
# The format check of `make test` refuses a badly formatted file and names it, and passes a tree
# that clang-format leaves as it is.
set -euo pipefail
repo="$1"
root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
cp "$repo/.clang-format" "$root/"
mkdir -p "$root/src/platform"
printf 'int Twice(int x) {\n  return 2 * x;\n}\n' >"$root/src/platform/ok.cpp"
"$repo/scripts/check-format" "$root" || { echo "a formatted tree was refused"; exit 1; }
printf 'int  Half( int x ){return x/2;}\n' >"$root/src/platform/bad.cpp"
if out="$("$repo/scripts/check-format" "$root" 2>&1)"; then
  echo "a badly formatted file was accepted"; exit 1
fi
grep -q 'src/platform/bad.cpp' <<<"$out" || { echo "the refusal does not name the file: $out"; exit 1; }
if grep -q 'ok.cpp' <<<"$out"; then echo "a formatted file was named: $out"; exit 1; fi

#!/usr/bin/env bash
# docs/ARCHITECTURE.md names only what exists: every path it writes in backquotes under src/, tests/,
# scripts/, bench/, tools/, data/ or docs/ (or under a folder of src/, as the includes write them), every
# file name, and every name of the code (a procedure, variable, class or control, a::b taken part by
# part). Names the page would need to mention in any other shape are left unchecked.
# Usage: tests/tools/architecture_map_test.sh <repository> [page]
set -euo pipefail
repo="$1"
page="${2:-$repo/docs/ARCHITECTURE.md}"
cd "$repo"

words="$(mktemp)"
trap 'rm -f "$words"' EXIT
# Every word of the code, the build files and the scripts.
{
  find src tests bench tools scripts -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.sh' -o -name '*.cmake' \
    -o -path 'scripts/*' \) -print0 | xargs -0 cat
  cat CMakeLists.txt Makefile
} | grep -oE '[A-Za-z_][A-Za-z0-9_]*' | sort -u >"$words"

missing=()
# Inline code spans outside fenced blocks.
spans="$(awk '/^```/ { fenced = !fenced; next } !fenced' "$page" | grep -oE '`[^`]+`' | sed 's/^`//; s/`$//')"
while IFS= read -r span; do
  [ -z "$span" ] && continue
  case "$span" in *' '* | *'<'* | *'~'* | *'='*) continue ;; esac
  if [[ "$span" =~ ^(src|tests|scripts|bench|tools|data|docs)/ ]]; then
    shopt -s nullglob
    # shellcheck disable=SC2206
    found=(${span%/})
    shopt -u nullglob
    [ ${#found[@]} -gt 0 ] && [ -e "${found[0]}" ] || missing+=("$span (no such file or folder)")
  elif [[ "$span" =~ ^(platform|project|reservoirs|rainfall|engine|components|results|editor|formulas|shell)/[^/]+$ ]]; then
    [ -e "src/$span" ] || missing+=("$span (no such file under src/)")
  elif [[ "$span" =~ ^[A-Za-z0-9_.-]+\.(h|cpp|sh|cmake|html|css|png|supp)$ ]]; then
    [ -n "$(find src tests bench tools scripts data docs -name "$span" -print -quit)" ] ||
      missing+=("$span (no file of that name)")
  elif [[ "$span" =~ ^[A-Za-z_][A-Za-z0-9_]*(::[A-Za-z_][A-Za-z0-9_]*)*(\(.*\))?$ ]]; then
    name="${span%%(*}"
    for part in ${name//::/ }; do
      grep -qxF "$part" "$words" || missing+=("$span (no such name in the code)")
    done
  fi
done <<<"$spans"

if [ ${#missing[@]} -gt 0 ]; then
  echo "$(basename "$page") names what does not exist; bring the page up to date:"
  printf '  %s\n' "${missing[@]}"
  exit 1
fi

#!/usr/bin/env bash
# Checks the layers of src/ and their tests: each folder includes only itself and the layers below it
# (those its library links, docs/architecture.md draws them), and nothing through "../". Prints every
# include that breaks this, as file:line, and fails when there is one; a folder of sources without a rule
# fails as well, so that a new layer or test folder gets one.
set -euo pipefail
root=${1:?usage: layer_rules.sh PROJECT_DIR}

# What each layer may include besides itself: the layers its library links, directly or through another.
declare -A below=(
  [net]=""
  [rtf]=""
  [text]="rtf"
  [settings]="text rtf"
  [commands]="settings text rtf"
  [rows]="text rtf"
  [log]="commands settings rows text rtf"
  [print]="rows text rtf"
  [ops]="net log commands settings rows text rtf"
  [ui]="ops print net log commands settings rows text rtf"
  [app]="ui ops print net log commands settings rows text rtf"
  [cli]="ops net log commands settings rows text rtf"
  # The PDF module: the command line's pages, painted with print.
  [cli/pdf]="cli print rows text rtf"
  # Not a layer: the header that stops the core from building against Qt Widgets.
  [core_guard]=""
)

# The layer each folder of tests tests: its programs may include that layer and what it may include.
declare -A tests=(
  [net]=net
  [settings]=settings
  [output]=log
  [fuzz]=text
  [ops]=ops
  [golden]=cli
  [cli]=cli
  [ui]=ui
  [results]=app
  [app]=app
  # Fakes and helpers shared by programs of every layer: each program that uses one links what it
  # needs, so only "../" is looked for here.
  [support]=""
  # Scripts and a probe that must not build.
  [build]=""
  [install]=""
)

failures=0
# check FOLDER [LAYER]: every quoted include of the files directly in FOLDER against LAYER's rule; with
# no layer, only for "../".
check() {
  local folder=$1 layer=${2:-}
  local allowed=""
  [ -z "$layer" ] || allowed=" $layer ${below[$layer]} "
  # file:line:#include "..."; only quoted includes, as <net/if.h> is the system's.
  while IFS=: read -r file line text; do
    if [[ $text == *'"../'* || $text == *'/../'* ]]; then
      echo "$file:$line: include by a path with \"..\": $text"
      failures=$((failures + 1))
      continue
    fi
    [ -n "$layer" ] && [[ $text =~ \"([^\"]+)/[^/\"]+\" ]] || continue
    local target=${BASH_REMATCH[1]}
    if [ -n "${below[$target]+set}" ] && [[ $allowed != *" $target "* ]]; then
      echo "$file:$line: $layer must not include $target: $text"
      failures=$((failures + 1))
    fi
  done < <(find "$folder" -maxdepth 1 -type f \( -name '*.h' -o -name '*.cpp' \) -print0 |
    xargs -0 -r grep -nHE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' || true)
}

cd "$root"
while IFS= read -r -d '' dir; do
  layer=${dir#src/}
  [ -n "$(find "$dir" -maxdepth 1 -type f \( -name '*.h' -o -name '*.cpp' \) -print -quit)" ] || continue
  if [ -z "${below[$layer]+set}" ]; then
    echo "$dir: a folder of sources without a layer rule"
    failures=$((failures + 1))
    continue
  fi
  check "$dir" "$layer"
done < <(find src -mindepth 1 -type d -not -path 'src/core_guard/*' -print0)

while IFS= read -r -d '' dir; do
  folder=${dir#tests/}
  [ -n "$(find "$dir" -maxdepth 1 -type f \( -name '*.h' -o -name '*.cpp' \) -print -quit)" ] || continue
  if [ -z "${tests[$folder]+set}" ]; then
    echo "$dir: a folder of tests without a layer rule"
    failures=$((failures + 1))
    continue
  fi
  check "$dir" "${tests[$folder]}"
done < <(find tests -mindepth 1 -maxdepth 1 -type d -print0)

if [ "$failures" -gt 0 ]; then
  echo "$failures include(s) break the layers"
  exit 1
fi
echo "layers kept"

#!/usr/bin/env bash
# Checks the layers of src/: each folder includes only itself and the layers below it. Prints every
# include that reaches up or sideways, as file:line, and fails when there is one; a folder of sources
# without a rule fails as well, so that a new layer gets one.
set -euo pipefail
src=${1:?usage: layer_rules.sh SOURCE_DIR}

# What each layer may include besides itself. net and settings are the bottom and apart from each other;
# the core (those two, output and ops) knows nothing of the front ends.
declare -A below=(
  [net]=""
  [settings]=""
  [output]="net settings"
  [ops]="net settings output"
  [ui]="net settings output ops"
  [app]="net settings output ops ui"
  [cli]="net settings output ops"
  # Not a layer: the header that stops the core from building against Qt Widgets.
  [core_guard]=""
)

failures=0
cd "$src"
for dir in */; do
  layer=${dir%/}
  if [ -z "$(find "$layer" -type f \( -name '*.h' -o -name '*.cpp' \) -print -quit)" ]; then
    continue
  fi
  if [ -z "${below[$layer]+set}" ]; then
    echo "src/$layer: a folder of sources without a layer rule"
    failures=$((failures + 1))
    continue
  fi
  allowed=" $layer ${below[$layer]} "
  # file:line:#include "target/..."; only quoted includes, as <net/if.h> is the system's.
  while IFS=: read -r file line text; do
    [[ $text =~ \"([^/\"]+)/ ]] && target=${BASH_REMATCH[1]}
    if [ -n "${below[$target]+set}" ] && [[ $allowed != *" $target "* ]]; then
      echo "src/$file:$line: $layer must not include $target: $text"
      failures=$((failures + 1))
    fi
  done < <(grep -rnE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^/"]+/' \
    "$layer" || true)
done

if [ "$failures" -gt 0 ]; then
  echo "$failures include(s) break the layers"
  exit 1
fi
echo "layers kept"

#!/usr/bin/env bash
# Checks the layers of src/ and their tests against tests/build/layers.txt.
#   layer_rules.sh PROJECT_DIR            every quoted include of src/ and tests/: each folder includes only
#                                         its layer and the layers that one may use, never through "../"
#   layer_rules.sh PROJECT_DIR LINKS      every target's links, as the build wrote them to LINKS
#                                         ("target layer: linked layers"), against the same rule
# Prints every include or link that breaks a rule and fails when there is one; a folder of sources or a
# target without a rule fails as well, so that a new layer or test folder gets one.
set -euo pipefail
root=${1:?usage: layer_rules.sh PROJECT_DIR [LINKS]}
links=${2:-}

declare -A uses=()
while IFS= read -r line; do
  line=${line%%#*}
  [[ $line =~ ^([^:[:space:]]+):(.*)$ ]] || continue
  uses[${BASH_REMATCH[1]}]=$(echo ${BASH_REMATCH[2]})
done < "$root/tests/build/layers.txt"

# allowed LAYER: the layer and every layer it may use, directly or through another, space-separated.
declare -A closure=()
allowed() {
  local layer=$1
  if [ -z "${closure[$layer]+set}" ]; then
    local all=" $layer " dep sub
    for dep in ${uses[$layer]}; do
      for sub in $(allowed "$dep"); do
        [[ $all == *" $sub "* ]] || all+="$sub "
      done
    done
    closure[$layer]=$all
  fi
  echo "${closure[$layer]}"
}
# A subshell does not keep what allowed() learns, so every layer's closure is worked out here once.
for layer in "${!uses[@]}"; do
  [[ $layer == tests/* ]] || closure[$layer]=$(allowed "$layer")
done

failures=0
fail() {
  echo "$1"
  failures=$((failures + 1))
}

# check FOLDER LAYER: every quoted include of the files directly in FOLDER against LAYER's rule ("-": only
# "../" is looked for).
check() {
  local folder=$1 layer=$2 file line text target
  while IFS=: read -r file line text; do
    if [[ $text == *'"../'* || $text == *'/../'* ]]; then
      fail "$file:$line: include by a path with \"..\": $text"
      continue
    fi
    [ "$layer" != - ] && [[ $text =~ \"([^\"]+)/[^/\"]+\" ]] || continue
    target=${BASH_REMATCH[1]}
    if [ -n "${uses[$target]+set}" ] && [[ ${closure[$layer]} != *" $target "* ]]; then
      fail "$file:$line: $layer must not include $target: $text"
    fi
  done < <(find "$folder" -maxdepth 1 -type f \( -name '*.h' -o -name '*.cpp' \) -print0 |
    xargs -0 -r grep -nHE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' || true)
}

cd "$root"
if [ -z "$links" ]; then
  while IFS= read -r -d '' dir; do
    [ -n "$(find "$dir" -maxdepth 1 -type f \( -name '*.h' -o -name '*.cpp' \) -print -quit)" ] || continue
    rule=${dir#src/}
    [[ $dir == tests/* ]] && rule=$dir
    if [ -z "${uses[$rule]+set}" ]; then
      fail "$dir: a folder of sources without a rule in tests/build/layers.txt"
      continue
    fi
    layer=$rule
    [[ $dir == tests/* ]] && layer=${uses[$rule]}
    check "$dir" "$layer"
  done < <(find src -mindepth 1 -type d -not -path 'src/core_guard/*' -print0
    find tests -mindepth 1 -maxdepth 1 -type d -print0)
  what="include(s)"
else
  while IFS= read -r line; do
    [[ $line =~ ^([^[:space:]]+)\ ([^:]+):(.*)$ ]] || continue
    target=${BASH_REMATCH[1]} rule=${BASH_REMATCH[2]} linked=${BASH_REMATCH[3]}
    if [ -z "${uses[$rule]+set}" ]; then
      fail "$target: a target of $rule, which has no rule in tests/build/layers.txt"
      continue
    fi
    layer=$rule
    [[ $rule == tests/* ]] && layer=${uses[$rule]}
    [ "$layer" != - ] || continue
    for dep in $linked; do
      [[ ${closure[$layer]} == *" $dep "* ]] || fail "$target ($layer) must not link the layer $dep"
    done
  done < "$links"
  what="link(s)"
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures $what break the layers"
  exit 1
fi
echo "layers kept"

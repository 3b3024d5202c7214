#!/usr/bin/env bash
# vantrel-cli --help and its man page list the same commands and the same options; each one missing from
# either side is named.
set -euo pipefail
cli="$1"
page="$2"

help="$("$cli" --help)"
# The first word of each indented line of a section of --help.
help_words() {
  awk -v section="$1" '$0 == section ":" { on = 1; next } on && /^$/ { exit } on && /^  [^ ]/ { print $1 }' <<<"$help" | sort -u
}
# The first word after each .TP of a section of the page, its roff escapes undone.
man_words() {
  awk -v section="$1" '
    /^\.SH / { on = ($0 == ".SH " section); next }
    on && /^\.TP/ { tp = 1; next }
    on && tp { tp = 0; print $2 }' "$page" | sed -e 's/\\-/-/g' -e 's/"//g' | sort -u
}

status=0
compare() {
  local what="$1" from_help="$2" from_man="$3"
  if [ -z "$from_help" ]; then
    echo "--help lists no $what"
    status=1
  fi
  local only_help only_man
  only_help="$(comm -23 <(echo "$from_help") <(echo "$from_man"))"
  only_man="$(comm -13 <(echo "$from_help") <(echo "$from_man"))"
  [ -z "$only_help" ] || { echo "$what in --help but not in the man page: ${only_help//$'\n'/ }"; status=1; }
  [ -z "$only_man" ] || { echo "$what in the man page but not in --help: ${only_man//$'\n'/ }"; status=1; }
}
compare commands "$(help_words Commands)" "$(man_words COMMANDS)"
compare options "$(help_words Options)" "$(man_words OPTIONS)"
[ "$status" -ne 0 ] || echo "the same $(help_words Commands | wc -l) commands and $(help_words Options | wc -l) options"
exit "$status"

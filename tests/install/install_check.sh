#!/usr/bin/env bash
# Installs the build into an empty prefix and checks what a desktop and a distribution expect of it: the
# files in their places, the desktop entry, the metainfo and the man pages passing their validators, the
# icon's PNG sizes, both programs' --help, --version and wrong option, the bash completion's words, and
# the command line's --pdf through its installed module while the program itself links no Qt Gui; the
# metainfo's screenshots are those scripts/screenshots keeps in data/screenshots.
set -euo pipefail
build="$1"
version="$2"
source="$3"
id=com.quenlo.Vantrel

prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
status=0
fail() {
  echo "FAIL: $*"
  status=1
}

cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/vantrel bin/vantrel-cli share/doc/vantrel/Vantrel.html share/applications/$id.desktop \
  share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/$id.svg share/man/man1/vantrel.1.gz \
  share/man/man1/vantrel-cli.1.gz share/doc/vantrel/copyright share/doc/vantrel/changelog.gz share/bash-completion/completions/vantrel-cli share/systemd/user/vantrel-watch.service \
  share/doc/vantrel/examples/prometheus.yml share/doc/vantrel/examples/grafana-dashboard.json; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
for program in vantrel vantrel-cli; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"
done
# The unit names the program by the prefix the build was configured for, as systemd needs a whole path.
grep -qE "^ExecStart=/(.*/)?bin/vantrel-cli watch run --metrics 127\.0\.0\.1:9427$" \
  "$prefix/share/systemd/user/vantrel-watch.service" || fail "the watch service does not start vantrel-cli watch run"
promtool check config "$prefix/share/doc/vantrel/examples/prometheus.yml" >/dev/null || fail "promtool check config"
python3 -m json.tool "$prefix/share/doc/vantrel/examples/grafana-dashboard.json" >/dev/null || fail "the dashboard is no JSON"
# Help Topics looks for the manual beside the program's bin folder.
[ -f "$prefix/bin/../share/doc/vantrel/Vantrel.html" ] || fail "the manual is not where the program looks"

desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop-file-validate"
grep -qx "Exec=vantrel" "$prefix/share/applications/$id.desktop" || fail "the desktop entry does not start vantrel"
grep -qx "Icon=$id" "$prefix/share/applications/$id.desktop" || fail "the desktop entry names another icon"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null ||
  fail "appstreamcli validate: $(appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml")"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$prefix/share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo does not launch the desktop entry"
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo does not name release $version"

# A PNG's width and height are the big-endian words at bytes 16 and 20.
png_size() {
  od -An -tu1 -j16 -N8 "$1" |
    awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4, $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }'
}

shots="$(sed -nE 's|.*<image type="source" width="([0-9]+)" height="([0-9]+)">.*/([^/]+\.png)</image>.*|\3 \1 \2|p' \
  "$prefix/share/metainfo/$id.metainfo.xml")"
[ "$(wc -l <<<"$shots")" -eq 2 ] || fail "the metainfo lists no light and dark screenshot: $shots"
while read -r name width height; do
  [ -f "$source/data/screenshots/$name" ] || { fail "no data/screenshots/$name"; continue; }
  [ "$(png_size "$source/data/screenshots/$name")" = "$width $height" ] || fail "data/screenshots/$name is not ${width}x$height"
done <<<"$shots"

for size in 16 22 24 32 48 64 128 256; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
  if [ ! -f "$png" ]; then
    fail "no ${size}x${size} icon"
    continue
  fi
  read -r width height < <(png_size "$png")
  [ "$width $height" = "$size $size" ] || fail "the ${size}x${size} icon is ${width}x${height}"
done

for page in vantrel vantrel-cli; do
  warnings="$(MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1.gz" 2>&1 >/dev/null)"
  [ -z "$warnings" ] || fail "man $page: $warnings"
done

# Both programs answer without a display.
for program in vantrel vantrel-cli; do
  run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/$program" "$@" >"$prefix/out" 2>"$prefix/err"; }
  code=0
  run --help || code=$?
  [ "$code" -eq 0 ] && grep -q "^Usage: $program " "$prefix/out" && [ ! -s "$prefix/err" ] ||
    fail "$program --help: status $code, $(cat "$prefix/err")"
  code=0
  run --version || code=$?
  [ "$code" -eq 0 ] && [ "$(cat "$prefix/out")" = "$program $version" ] ||
    fail "$program --version: status $code, '$(cat "$prefix/out")'"
  code=0
  run --no-such-option || code=$?
  [ "$code" -eq 2 ] && [ ! -s "$prefix/out" ] && grep -q "^Usage: $program " "$prefix/err" ||
    fail "$program --no-such-option: status $code, '$(cat "$prefix/out")'"
done

# The command line links no Qt Gui; --pdf finds its module in the installed module folder.
ldd "$prefix/bin/vantrel-cli" | grep -q libQt6Gui && fail "bin/vantrel-cli links Qt Gui"
compgen -G "$prefix/lib*/vantrel/vantrel-cli-pdf.so" >/dev/null ||
  compgen -G "$prefix/lib/*/vantrel/vantrel-cli-pdf.so" >/dev/null || fail "the PDF module is not installed"
code=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/vantrel-cli" --config-dir "$prefix/config" \
  --pdf "$prefix/lookup.pdf" lookup localhost >"$prefix/out" 2>"$prefix/err" || code=$?
[ "$code" -eq 0 ] && [ "$(head -c 5 "$prefix/lookup.pdf" 2>/dev/null)" = "%PDF-" ] ||
  fail "vantrel-cli --pdf: status $code, $(cat "$prefix/err")"

# The completion offers the commands and options that --help lists.
help="$("$prefix/bin/vantrel-cli" --help)"
listed() {
  awk -v section="$1" '$0 == section ":" { on = 1; next } on && /^$/ { exit } on && /^  [^ ]/ { print $1 }' <<<"$help" | sort
}
completed() {
  bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _vantrel_cli; printf "%s\n" "${COMPREPLY[@]}"' \
    _ "$prefix/share/bash-completion/completions/vantrel-cli" "$@" | sort
}
[ "$(completed vantrel-cli "")" = "$(listed Commands)" ] || fail "the completion's commands differ from --help's"
[ "$(completed vantrel-cli --rtf -)" = "$(listed Options)" ] || fail "the completion's options differ from --help's"
[ "$(completed vantrel-cli --set x=1 profile "")" = "$(printf 'add\ndel')" ] || fail "the completion of profile"

[ "$status" -ne 0 ] || echo "installed and checked in $prefix"
exit "$status"

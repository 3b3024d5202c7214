#!/usr/bin/env bash
# Builds the Debian package from the built tree (as scripts/package does) and checks it as a distribution
# would: lintian finds no error and only the warnings the README lists and explains; the package holds
# every installed file under /usr and no maintainer script that touches the ICMP socket setting; its
# Depends come from the linked libraries; unpacked into a scratch root, its command line runs.
set -euo pipefail
cpack="$1"
build="$2"
version="$3"
readme="$4"
id=com.quenlo.Vantrel

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
status=0
fail() {
  echo "FAIL: $*"
  status=1
}

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log"; exit 1; }
deb="$scratch/vantrel_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { fail "no $(basename "$deb"): $(ls "$scratch")"; exit 1; }

# lintian ends with 1 for an error it found, with more when it could not check.
code=0
lintian --no-tag-display-limit "$deb" >"$scratch/lintian.log" 2>"$scratch/lintian.err" || code=$?
if [ "$code" -gt 1 ]; then
  fail "lintian did not run: status $code, $(cat "$scratch/lintian.err")"
elif [ "$code" -ne 0 ] || grep '^E: ' "$scratch/lintian.log"; then
  fail "lintian reports errors"
fi
# Each warning's tag is listed in the README with the reason it stays.
while read -r tag; do
  grep -q -- "\`$tag\`" "$readme" || fail "lintian warns $tag, which the README does not explain"
done < <(awk '/^W: / { print $3 }' "$scratch/lintian.log" | sort -u)

contents="$(dpkg-deb --contents "$deb" | awk '{ print $6 }')"
for file in usr/bin/vantrel usr/bin/vantrel-cli usr/share/applications/$id.desktop \
  usr/share/metainfo/$id.metainfo.xml usr/share/icons/hicolor/scalable/apps/$id.svg \
  usr/share/icons/hicolor/48x48/apps/$id.png usr/share/man/man1/vantrel.1.gz usr/share/man/man1/vantrel-cli.1.gz \
  usr/share/bash-completion/completions/vantrel-cli usr/share/systemd/user/vantrel-watch.service \
  usr/share/doc/vantrel/copyright usr/share/doc/vantrel/changelog.gz usr/share/doc/vantrel/Vantrel.html; do
  grep -qx "\./$file" <<<"$contents" || fail "the package holds no /$file"
done
grep -v '^\./usr/' <<<"$contents" | grep -v '^\./$' && fail "the package puts files outside /usr"
grep -q '^\./usr/local/' <<<"$contents" && fail "the package puts files in /usr/local"

depends="$(dpkg-deb --field "$deb" Depends)"
for library in libqt6core6 libqt6widgets6 libsqlite3-0 libfmt; do
  grep -q "$library" <<<"$depends" || fail "Depends names no $library: $depends"
done
dpkg-deb --control "$deb" "$scratch/control"
if grep -rlE 'ping_group_range|sysctl' "$scratch/control"; then
  fail "a maintainer script changes the ICMP socket setting"
fi

dpkg-deb -x "$deb" "$scratch/root"
grep -qx "ExecStart=/usr/bin/vantrel-cli watch run --metrics 127.0.0.1:9427" \
  "$scratch/root/usr/share/systemd/user/vantrel-watch.service" || fail "the watch service does not start /usr/bin/vantrel-cli"
for program in vantrel vantrel-cli; do
  code=0
  out="$(env -u DISPLAY -u WAYLAND_DISPLAY "$scratch/root/usr/bin/$program" --version 2>&1)" || code=$?
  [ "$code" -eq 0 ] && [ "$out" = "$program $version" ] || fail "the unpacked $program --version: status $code, '$out'"
done
code=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$scratch/root/usr/bin/vantrel-cli" --config-dir "$scratch/config" \
  --pdf "$scratch/lookup.pdf" lookup localhost >/dev/null 2>"$scratch/err" || code=$?
[ "$code" -eq 0 ] && [ "$(head -c 5 "$scratch/lookup.pdf" 2>/dev/null)" = "%PDF-" ] ||
  fail "the unpacked vantrel-cli --pdf: status $code, $(cat "$scratch/err")"

[ "$status" -ne 0 ] || { echo "packaged and checked $(basename "$deb"):"; grep '^W: ' "$scratch/lintian.log" || true; }
exit "$status"

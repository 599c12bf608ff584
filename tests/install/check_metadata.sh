#!/usr/bin/env bash
# The desktop entry and the software-centre metadata as a distribution's
# tools see them: both validators report nothing, the metadata's launchable
# is the desktop entry, its releases are the changelog's entries and its
# screenshots are pictures of docs/.
#
#   check_metadata.sh SOURCE_DIR
set -uo pipefail
src=${1:?source folder}
# The validators' words, untranslated.
export LC_ALL=C.UTF-8
id=example.kapuna.kapuna
metainfo=$src/assets/package/$id.metainfo.xml
desktop=$src/assets/package/$id.desktop
fail() { echo "FAIL: $*" >&2; exit 1; }

out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ] || fail "desktop-file-validate: $out"

# validate-tree also finds the desktop entry the launchable names. The one
# note it may give is that it does not know the TLD "example" of the
# homepage the id is built from (kapuna.example: a reserved name).
tree=$(mktemp -d) || exit 1
trap 'rm -rf -- "$tree"' EXIT
install -D -m 644 "$metainfo" "$tree/usr/share/metainfo/$id.metainfo.xml"
install -D -m 644 "$desktop" "$tree/usr/share/applications/$id.desktop"
out=$(appstreamcli validate-tree --pedantic --no-net "$tree/usr" 2>&1) || fail "appstreamcli: $out"
left=$(grep -vE "^$id\.metainfo\.xml$|^ *$|Validation was successful|I: $id:[0-9]+: cid-maybe-not-rdns $id$" <<<"$out")
[ -z "$left" ] || fail "appstreamcli reports: $out"

releases=$(grep -o '<release version="[^"]*" date="[^"]*"' "$metainfo" | sed 's/.*version="\([^"]*\)" date="\([^"]*\)"/\1 \2/')
entries=$(dpkg-parsechangelog -l "$src/assets/package/changelog" --all --format rfc822 |
  awk -F': ' '/^Version:/ { v = $2 } /^Date:/ { print v "\t" $2 }' |
  while IFS=$'\t' read -r v d; do echo "$v $(date -u -d "$d" +%F)"; done)
[ "$releases" = "$entries" ] || fail "releases \"$releases\" are not the changelog's \"$entries\""

shots=$(grep -o '<image>[^<]*</image>' "$metainfo" | sed 's|<image>https://kapuna\.example/docs/\([^<]*\)</image>|\1|')
[ -n "$shots" ] || fail "no screenshots"
for shot in $shots; do
  [ -f "$src/docs/$shot" ] || fail "the screenshot $shot is not a picture of docs/ at https://kapuna.example/docs/"
done
echo "desktop entry and metadata valid; releases $(wc -l <<<"$releases"), screenshots $(wc -w <<<"$shots")"

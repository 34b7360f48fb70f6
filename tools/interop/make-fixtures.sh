#!/usr/bin/env bash
# Writes the interop fixtures of the spreadsheet reader tests with LibreOffice from
# members.fods: tests/fixtures/lo-members.xls and lo-members.xlsx. Needs libreoffice-calc
# (apt-get install libreoffice-calc-nogui); the tests only read the committed files.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
out="$here/../../tests/fixtures"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$here/members.fods" "$work/lo-members.fods"
for kind in xls xlsx; do
  soffice --headless -env:UserInstallation=file://"$work"/profile \
    --convert-to "$kind" --outdir "$work" "$work/lo-members.fods" >/dev/null
  cp "$work/lo-members.$kind" "$out/"
done
ls -l "$out"/lo-members.*

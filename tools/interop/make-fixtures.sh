#!/usr/bin/env bash
# Writes the interop fixtures of the spreadsheet reader tests from members.fods:
# tests/fixtures/lo-members.xls and .xlsx with LibreOffice, gn-members.xls and .xlsx with
# gnumeric (from LibreOffice's .ods of the same sheet). Needs libreoffice-calc-nogui and
# gnumeric (apt-get install); the tests only read the committed files.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
out="$here/../../tests/fixtures"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$here/members.fods" "$work/lo-members.fods"
for kind in xls xlsx ods; do
  soffice --headless -env:UserInstallation=file://"$work"/profile \
    --convert-to "$kind" --outdir "$work" "$work/lo-members.fods" >/dev/null 2>&1
done
cp "$work/lo-members.xls" "$work/lo-members.xlsx" "$out/"
ssconvert --export-type=Gnumeric_Excel:excel_biff8 "$work/lo-members.ods" "$out/gn-members.xls" 2>/dev/null
ssconvert --export-type=Gnumeric_Excel:xlsx2 "$work/lo-members.ods" "$out/gn-members.xlsx" 2>/dev/null
ls -l "$out"/lo-members.* "$out"/gn-members.*

#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test on SQLite and on a throwaway PostgreSQL
# server that lives only as long as this script.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
./scripts/build.sh
# The Debian package is built and its contents checked with every test run.
./scripts/package.sh >/dev/null
pgdir=$(mktemp -d /tmp/florist-pg.XXXXXX)
cupsdir=$(mktemp -d /tmp/florist-cups.XXXXXX)
trap './scripts/pg-test-server.sh stop "$pgdir"; ./scripts/cups-test-server.sh stop "$cupsdir"' EXIT
./scripts/pg-test-server.sh start "$pgdir"
# A private CUPS server with a roll and an A4 queue for the printing tests, so that no test
# reaches the machine's own printers. A new QPrinter takes its first queue; tests that print
# choose their printer or a PDF file.
./scripts/cups-test-server.sh start "$cupsdir"
export CUPS_SERVER="$cupsdir/cups.sock" FLORIST_TEST_CUPS_OUT="$cupsdir/out" FLORIST_REQUIRE_CUPS=1
export FLORIST_TEST_PG_HOST="$pgdir" FLORIST_TEST_PG_PORT=5432 FLORIST_TEST_PG_USER=postgres
export FLORIST_REQUIRE_PG=1 QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j2 "$@"

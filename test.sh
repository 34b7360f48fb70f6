#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test on SQLite and on a throwaway PostgreSQL
# server that lives only as long as this script.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
./scripts/build.sh
pgdir=$(mktemp -d /tmp/florist-pg.XXXXXX)
trap './scripts/pg-test-server.sh stop "$pgdir"' EXIT
./scripts/pg-test-server.sh start "$pgdir"
export FLORIST_TEST_PG_HOST="$pgdir" FLORIST_TEST_PG_PORT=5432 FLORIST_TEST_PG_USER=postgres
export FLORIST_REQUIRE_PG=1 QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j2 "$@"

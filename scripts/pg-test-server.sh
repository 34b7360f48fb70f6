#!/usr/bin/env bash
# start DIR | stop DIR: a throwaway PostgreSQL cluster for the tests, listening only on a Unix
# socket inside DIR (no TCP port, so nothing else on the machine can reach it or clash with it).
set -euo pipefail
cmd=$1
dir=$2
bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)
as_pg() {
  if [ "$(id -u)" -eq 0 ]; then
    su postgres -s /bin/bash -c "$*"
  else
    bash -c "$*"
  fi
}
case "$cmd" in
start)
  mkdir -p "$dir"
  if [ "$(id -u)" -eq 0 ]; then chown postgres "$dir"; fi
  as_pg "'$bin/initdb' -D '$dir/data' -U postgres -A trust -E UTF8 --locale=C.UTF-8 >'$dir/initdb.log' 2>&1"
  as_pg "'$bin/pg_ctl' -D '$dir/data' -l '$dir/server.log' -w -o \"-k '$dir' -p 5432 -c listen_addresses='' -c fsync=off -c full_page_writes=off -c synchronous_commit=off\" start >/dev/null"
  ;;
stop)
  if [ -d "$dir/data" ]; then
    as_pg "'$bin/pg_ctl' -D '$dir/data' -m immediate stop >/dev/null 2>&1" || true
  fi
  rm -rf "$dir"
  ;;
esac

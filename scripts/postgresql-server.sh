#!/usr/bin/env bash
# A private PostgreSQL server for the tests and the benchmark, nothing shared
# with the machine's own clusters:
#   scripts/postgresql-server.sh start STATE_DIR [SETTING=VALUE...]
#   scripts/postgresql-server.sh stop STATE_DIR
# `start` creates a cluster (initdb) in a new directory under /tmp, whose
# short name also holds the socket, and starts it listening on 127.0.0.1 only,
# on a free port. SETTINGs go to the server as -c options (the tests turn
# fsync off). The superuser is "postgres" (trusted on the socket only); the
# role "qz", which may create databases, logs in over TCP with the password
# "qz-secret" (scram-sha-256). STATE_DIR receives `env`, lines that a shell
# can source (QZ_PG_HOST, QZ_PG_PORT, QZ_PG_SOCKET, QZ_PG_URI: the URI of the
# database "qz" as "qz" without the password), and the cluster's location for
# `stop`, which stops the server and removes the cluster. As root (CI), the
# server runs as the system user postgres through runuser.
set -euo pipefail

command=${1:-}
state=${2:-}
if [ -z "$command" ] || [ -z "$state" ]; then
  echo "usage: $0 start|stop STATE_DIR [SETTING=VALUE...]" >&2
  exit 2
fi
shift 2

bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
if [ -z "$bin" ] || [ ! -x "$bin/initdb" ]; then
  echo "PostgreSQL's server programs are not installed (scripts/install-deps.sh installs them)" >&2
  exit 1
fi

as_server() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

stop_server() {
  [ -f "$state/cluster" ] || return 0
  local cluster
  cluster=$(cat "$state/cluster")
  if [ -d "$cluster/data" ]; then
    as_server "$bin/pg_ctl" -D "$cluster/data" -m immediate -w stop >/dev/null 2>&1 || true
  fi
  rm -rf "$cluster"
  rm -f "$state/cluster" "$state/env"
}

if [ "$command" = stop ]; then
  stop_server
  exit 0
fi
[ "$command" = start ] || { echo "unknown command: $command" >&2; exit 2; }

mkdir -p "$state"
stop_server  # a server an interrupted run left behind
cluster=$(mktemp -d /tmp/qzpg.XXXXXX)
echo "$cluster" >"$state/cluster"
[ "$(id -u)" -ne 0 ] || chown postgres: "$cluster"
as_server "$bin/initdb" -D "$cluster/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 --no-sync \
  >"$cluster/initdb.log" 2>&1 || { cat "$cluster/initdb.log" >&2; exit 1; }
cat >"$cluster/data/pg_hba.conf" <<'EOF'
local all postgres         trust
host  all all 127.0.0.1/32 scram-sha-256
EOF

settings=(-c listen_addresses=127.0.0.1 -c "unix_socket_directories=$cluster" -c max_connections=60)
for setting in "$@"; do settings+=(-c "$setting"); done

# A port that is free when chosen can be taken before the server binds it:
# try a few.
started=no
for _ in 1 2 3 4 5 6 7 8; do
  port=$((20000 + RANDOM % 40000))
  if as_server "$bin/pg_ctl" -D "$cluster/data" -l "$cluster/server.log" -w -t 60 \
    -o "-p $port ${settings[*]}" start >/dev/null 2>&1; then
    started=yes
    break
  fi
done
if [ "$started" != yes ]; then
  cat "$cluster/server.log" >&2 || true
  exit 1
fi

as_server "$bin/psql" -X -q -h "$cluster" -p "$port" -U postgres -d postgres -v ON_ERROR_STOP=1 \
  -c "create role qz login createdb password 'qz-secret';" -c "create database qz owner qz;"

cat >"$state/env" <<EOF
QZ_PG_HOST=127.0.0.1
QZ_PG_PORT=$port
QZ_PG_SOCKET=$cluster
QZ_PG_URI=postgresql://qz@127.0.0.1:$port/qz
EOF
echo "PostgreSQL listens on 127.0.0.1:$port (socket in $cluster)"

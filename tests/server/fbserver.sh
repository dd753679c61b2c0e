#!/usr/bin/env bash
# Starts and stops a private Firebird 3 SuperServer on a loopback port, for tests
# that need a real server (several users, rights, accounts, backup and restore).
#
#   fbserver.sh start ROOT PORT [SYSDBA_PASSWORD]   (password defaults to masterkey)
#   fbserver.sh stop  ROOT
#
# Everything the server needs lives under ROOT (created if missing):
#   ROOT/conf/            FIREBIRD root: firebird.conf, databases.conf, plugins.conf,
#                         firebird.msg, security3.fdb (Srp users), intl/ (real copies)
#   ROOT/lock/            FIREBIRD_LOCK (lock tables, init files; keeps /tmp/firebird
#                         and /run/firebird3.0 out of the picture)
#   ROOT/server.log       the server's stderr (start-up errors such as a busy port)
#   ROOT/server.pid       pid of the running server
#   ROOT/fbserver.lock    serialises start/stop calls on the same ROOT
#
# The one write outside ROOT is the engine's own log, whose directory is fixed
# at build time: /var/log/firebird/firebird3.0.log (silently skipped when the
# caller may not write there, e.g. as a normal user).
#
# The server only listens on 127.0.0.1:PORT. Clients connect with the stock system
# configuration, e.g. isql-fb -user SYSDBA -password PW 127.0.0.1/PORT:/path/db.fdb
# The security database survives restarts (users created by tests persist); the
# SYSDBA password is (re)set on every start.
set -euo pipefail

FB_LIB=/usr/lib/x86_64-linux-gnu/firebird/3.0
FB_SERVER=/usr/sbin/firebird
FB_SECURITY_SQL=/usr/share/firebird/3.0/security.sql
START_TIMEOUT_S=15
STOP_TIMEOUT_S=5

prog=$(basename "$0")

die() {
  echo "$prog: error: $*" >&2
  exit 1
}

usage() {
  cat >&2 <<EOF
usage: $prog start ROOT PORT [SYSDBA_PASSWORD]
       $prog stop ROOT
EOF
  exit 2
}

# isql-fb without any Firebird setting inherited from the caller.
isql_clean() {
  env -u FIREBIRD -u FIREBIRD_LOCK -u FIREBIRD_MSG -u FIREBIRD_TMP -u ISC_USER -u ISC_PASSWORD \
    isql-fb "$@"
}

# isql-fb in embedded mode against the private configuration of ROOT.
isql_private() {
  env -u ISC_USER -u ISC_PASSWORD \
    FIREBIRD="$ROOT/conf" FIREBIRD_LOCK="$ROOT/lock" FIREBIRD_MSG="$ROOT/conf" \
    isql-fb "$@"
}

# Process state letter of PID (R, S, Z, ...), empty if there is no such process.
# Pure bash: it runs for every process when looking for servers of a root.
proc_state() {
  local line=""
  { IFS= read -r line <"/proc/$1/stat"; } 2>/dev/null || true
  line=${line##*) }
  printf '%s' "${line%% *}"
}

# True while PID exists and is not a zombie.
is_alive() {
  local state
  state=$(proc_state "$1")
  [ -n "$state" ] && [ "$state" != Z ]
}

# True when PID is a live firebird server started for this ROOT.
is_our_server() {
  local pid=$1 args=()
  [[ $pid =~ ^[0-9]+$ ]] || return 1
  { mapfile -d '' -t args <"/proc/$pid/cmdline"; } 2>/dev/null || return 1
  [ "${#args[@]}" -eq 5 ] && [ "${args[0]}" = "$FB_SERVER" ] &&
    [ "${args[1]}" = -e ] && [ "${args[2]}" = "$ROOT/conf" ] &&
    [ "${args[3]}" = -el ] && [ "${args[4]}" = "$ROOT/lock" ] || return 1
  is_alive "$pid"
}

port_open() {
  (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

# Escape a value for use inside a single-quoted SQL string literal.
sql_quote() {
  local s=$1
  printf '%s' "${s//\'/\'\'}"
}

resolve_root() {
  local root=$1 create=$2
  [ -n "$root" ] || die "ROOT must not be empty"
  if [ "$create" = yes ]; then
    mkdir -p "$root" || die "cannot create $root"
  fi
  [ -d "$root" ] || return 1
  ROOT=$(cd "$root" && pwd -P)
  [ "$ROOT" != / ] || die "ROOT must not be /"
}

# Pids of live servers started for this ROOT (normally at most one, the recorded one).
root_servers() {
  local d pid
  for d in /proc/[0-9]*; do
    pid=${d#/proc/}
    is_our_server "$pid" && echo "$pid"
  done
  return 0
}

stop_pid() {
  local pid=$1 i
  kill -TERM "$pid" 2>/dev/null || true
  for ((i = 0; i < STOP_TIMEOUT_S * 10; i++)); do
    is_alive "$pid" || return 0
    sleep 0.1
  done
  echo "$prog: server $pid did not stop after ${STOP_TIMEOUT_S}s, sending SIGKILL" >&2
  kill -KILL "$pid" 2>/dev/null || true
  for ((i = 0; i < 50; i++)); do
    is_alive "$pid" || return 0
    sleep 0.1
  done
  die "server $pid of $ROOT survived SIGKILL"
}

do_stop() {
  local pidfile="$ROOT/server.pid" pid recorded="" pids
  if [ -f "$pidfile" ]; then
    recorded=$(tr -dc '0-9' <"$pidfile" || true)
  fi
  # The recorded pid counts only if it is still a server of this root (pids get
  # reused); a server of this root whose pid file went missing is stopped too.
  pids=$(root_servers)
  if [ -z "$pids" ]; then
    rm -f "$pidfile"
    echo "$prog: no server of $ROOT is running"
    return 0
  fi
  for pid in $pids; do
    stop_pid "$pid"
    if [ "$pid" = "$recorded" ]; then
      echo "$prog: stopped server $pid of $ROOT"
    else
      echo "$prog: stopped unrecorded server $pid of $ROOT"
    fi
  done
  rm -f "$pidfile"
}

write_config() {
  local conf="$ROOT/conf"
  mkdir -p "$conf/intl" "$ROOT/lock"

  cat >"$conf/firebird.conf.tmp" <<EOF
# Private test server; written by tests/server/fbserver.sh on every start.
ServerMode = Super
RemoteServicePort = $PORT
RemoteBindAddress = 127.0.0.1
SecurityDatabase = $conf/security3.fdb
AuthServer = Srp
UserManager = Srp
WireCrypt = Enabled
EOF
  mv -f "$conf/firebird.conf.tmp" "$conf/firebird.conf"

  cat >"$conf/databases.conf" <<EOF
# Private test server; written by tests/server/fbserver.sh on every start.
security.db = $conf/security3.fdb
EOF

  # Real copies (cp -L follows the Debian symlinks into /etc). fbintl.conf loads
  # the module from $(root)/intl/fbintl, i.e. relative to the private root (-e);
  # without it every non-builtin character set (ISO8859_1, WIN1251, ...) is
  # "not installed". Plugins need no copy: this build loads them from the fixed
  # system plugin directory whatever the root is.
  cp -fL "$FB_LIB/plugins.conf" "$conf/plugins.conf"
  cp -fL "$FB_LIB/firebird.msg" "$conf/firebird.msg"
  cp -fL "$FB_LIB/intl/libfbintl.so" "$conf/intl/libfbintl.so"
  cp -fL "$FB_LIB/intl/fbintl.conf" "$conf/intl/fbintl.conf"
}

create_security_db() {
  local secdb="$ROOT/conf/security3.fdb" tmpdb="$ROOT/conf/security3.new.fdb" out
  [ -s "$secdb" ] && return 0
  rm -f "$tmpdb"
  if ! out=$(printf "CREATE DATABASE '%s' USER 'SYSDBA';\n" "$(sql_quote "$tmpdb")" |
    isql_private -q -bail 2>&1); then
    rm -f "$tmpdb"
    die "cannot create security database $tmpdb: $out"
  fi
  if ! out=$(isql_private -q -bail -user SYSDBA -i "$FB_SECURITY_SQL" "$tmpdb" 2>&1); then
    rm -f "$tmpdb"
    die "cannot initialise security database from $FB_SECURITY_SQL: $out"
  fi
  mv -f "$tmpdb" "$secdb"
}

set_sysdba_password() {
  local out
  if ! out=$(printf "create or alter user SYSDBA password '%s' using plugin Srp;\ncommit;\n" \
    "$(sql_quote "$PASSWORD")" |
    isql_private -q -bail -user SYSDBA "$ROOT/conf/security3.fdb" 2>&1); then
    die "cannot set the SYSDBA password: $out"
  fi
}

show_log() {
  echo "---- $ROOT/server.log ----" >&2
  cat "$ROOT/server.log" >&2 2>/dev/null || true
  echo "---- end of log ----" >&2
}

# Serialises start/stop calls on the same ROOT.
take_lock() {
  exec 9>"$ROOT/fbserver.lock"
  flock -w 60 9 || die "another fbserver.sh call on $ROOT holds $ROOT/fbserver.lock"
}

do_start() {
  local pid i out

  if ! [[ $PORT =~ ^[0-9]+$ ]] || ((PORT < 1 || PORT > 65535)); then
    die "invalid port '$PORT'"
  fi
  [ -n "$PASSWORD" ] || die "SYSDBA password must not be empty"
  [ -x "$FB_SERVER" ] || die "$FB_SERVER not found (install firebird3.0-server)"
  command -v isql-fb >/dev/null || die "isql-fb not found (install firebird3.0-utils)"
  [ -r "$FB_SECURITY_SQL" ] || die "$FB_SECURITY_SQL not found"
  [ -r "$FB_LIB/intl/libfbintl.so" ] || die "$FB_LIB/intl/libfbintl.so not found"

  # A previous server of this root goes first (also clears a stale pid file).
  do_stop >/dev/null
  if port_open "$PORT"; then
    die "port 127.0.0.1:$PORT is already in use by another process"
  fi

  # No server of this root is running: leftovers of a killed one can go.
  rm -rf "$ROOT/lock"
  write_config
  create_security_db
  set_sysdba_password

  : >"$ROOT/server.log"
  # setsid: keep the server out of the caller's process group and terminal.
  # The server stays in the foreground of its own session, so $! is its pid.
  (
    exec 9>&- # the start/stop lock must not outlive this script
    cd "$ROOT"
    export FIREBIRD="$ROOT/conf" FIREBIRD_LOCK="$ROOT/lock" FIREBIRD_MSG="$ROOT/conf"
    unset ISC_USER ISC_PASSWORD
    exec setsid "$FB_SERVER" -e "$ROOT/conf" -el "$ROOT/lock" </dev/null >>"$ROOT/server.log" 2>&1
  ) &
  pid=$!
  echo "$pid" >"$ROOT/server.pid"

  for ((i = 0; i < START_TIMEOUT_S * 10; i++)); do
    if ! is_alive "$pid"; then
      rm -f "$ROOT/server.pid"
      show_log
      die "server exited during start-up (port $PORT)"
    fi
    port_open "$PORT" && break
    sleep 0.1
  done
  if ! port_open "$PORT"; then
    do_stop >/dev/null || true
    show_log
    die "server did not accept connections on 127.0.0.1:$PORT within ${START_TIMEOUT_S}s"
  fi
  if ! is_our_server "$pid"; then
    rm -f "$ROOT/server.pid"
    show_log
    die "process $pid listening on $PORT is not the expected firebird server"
  fi

  # Log in over TCP with the stock client configuration, as the tests will.
  # shellcheck disable=SC2016 # rdb$database is SQL, not a shell variable
  if ! out=$(printf 'select 1 from rdb$database;\n' |
    isql_clean -q -bail -user SYSDBA -password "$PASSWORD" "127.0.0.1/$PORT:security.db" 2>&1); then
    do_stop >/dev/null || true
    show_log
    die "server is listening but SYSDBA cannot log in: $out"
  fi
  echo "$prog: firebird server $pid of $ROOT listening on 127.0.0.1:$PORT"
}

[ $# -ge 1 ] || usage
cmd=$1
shift
case "$cmd" in
  start)
    if [ $# -lt 2 ] || [ $# -gt 3 ]; then usage; fi
    resolve_root "$1" yes
    take_lock
    PORT=$2
    PASSWORD=${3:-masterkey}
    do_start
    ;;
  stop)
    if [ $# -ne 1 ]; then usage; fi
    if ! resolve_root "$1" no; then
      echo "$prog: $1 does not exist, nothing to stop"
      exit 0
    fi
    take_lock
    do_stop
    ;;
  -h | --help | help)
    usage
    ;;
  *)
    usage
    ;;
esac

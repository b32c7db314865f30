#!/usr/bin/env bash
# FirebirdTestServer.sh start DIR PASSWORD | stop DIR
# A private Firebird 3 server for tests, on 127.0.0.1 and a free port, with its own configuration and
# security database (SYSDBA with PASSWORD). start prints the port; stop ends the server by its pid.
set -euo pipefail
cmd=$1 dir=$2
case $cmd in
  start)
    password=$3
    rm -rf "$dir"
    mkdir -p "$dir/lock" "$dir/tmp"
    cp -r /usr/lib/x86_64-linux-gnu/firebird/3.0/. "$dir/"
    # The installed folder links its configuration to the machine's own files in /etc: the server's are
    # written as files of its own, never through those links.
    rm -f "$dir/firebird.conf" "$dir/databases.conf"
    cp /var/lib/firebird/3.0/system/security3.fdb "$dir/security3.fdb"
    chmod u+w "$dir/security3.fdb"
    port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1]); s.close()')
    cat > "$dir/firebird.conf" <<CONF
RemoteServicePort = $port
RemoteBindAddress = 127.0.0.1
SecurityDatabase = $dir/security3.fdb
ServerMode = Super
CONF
    printf 'security.db = %s/security3.fdb\n' "$dir" > "$dir/databases.conf"
    printf "CREATE OR ALTER USER SYSDBA PASSWORD '%s' USING PLUGIN Srp;\nCOMMIT;\n" "$password" |
      FIREBIRD=$dir FIREBIRD_LOCK=$dir/lock FIREBIRD_TMP=$dir/tmp isql-fb -q -user SYSDBA "$dir/security3.fdb"
    FIREBIRD=$dir FIREBIRD_LOCK=$dir/lock FIREBIRD_TMP=$dir/tmp setsid /usr/sbin/firebird \
      >"$dir/server.log" 2>&1 </dev/null &
    echo $! > "$dir/pid"
    # A loaded machine (tests of every flavour at once) can take many seconds to start it.
    for _ in $(seq 600); do
      if (exec 3<>/dev/tcp/127.0.0.1/$port) 2>/dev/null; then
        echo "$port"
        exit 0
      fi
      sleep 0.1
    done
    echo "the test server did not start" >&2
    exit 1
    ;;
  stop)
    if [ -f "$dir/pid" ]; then
      pid=$(cat "$dir/pid")
      kill "$pid" 2>/dev/null || true
      for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
      kill -9 "$pid" 2>/dev/null || true
      rm -f "$dir/pid"
    fi
    ;;
esac

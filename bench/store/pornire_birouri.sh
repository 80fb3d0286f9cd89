#!/bin/bash
# Start-up of desks on a register kept by a private Firebird server (tests/store/server_privat.sh): one desk on a
# register no desk has started, the same desk again, and three desks at once on a new and on a started register.
# Prints the median of each over RUNDE rounds (default 5), in seconds.
#   pornire_birouri.sh BIROU_SERVER BLANK.FDB [RUNDE]
set -u
birou="$1"
sablon="$2"
runde="${3:-5}"
. "$(dirname "$0")/../../tests/store/server_privat.sh"
lucru=$(mktemp -d /tmp/pornire_birouri.XXXXXX)
pidServer=""
trap 'oprestePid "$pidServer"; rm -rf "$lucru"' EXIT
mkdir -p "$lucru/date"
port=$(portLiber)
pregatesteServer "$lucru/server" "$port" Enabled
securitate "$lucru/server" "create user SYSDBA password 'admin' using plugin Srp; create user TESSALUNA password 'pw' using plugin Srp; grant create database to user TESSALUNA;" ||
    { echo "baza de securitate" >&2; exit 1; }
pornesteServer "$lucru/server" "$port" pidServer || { echo "serverul nu a pornit" >&2; exit 1; }
mkdir -p "$lucru/blocare"
FIREBIRD_LOCK="$lucru/blocare" gbak -b "$sablon" "$lucru/sablon.fbk"
gbak -c -user TESSALUNA -password pw "$lucru/sablon.fbk" "127.0.0.1/$port:$lucru/date/Sablon.FDB" || exit 1

desk() {
    local b="$1"; shift
    mkdir -p "$lucru/$b/config" "$lucru/$b/data"
    env -u DBUS_SESSION_BUS_ADDRESS XDG_CONFIG_HOME="$lucru/$b/config" XDG_DATA_HOME="$lucru/$b/data" \
        XDG_RUNTIME_DIR="$lucru/$b" BIROU_PAROLA=pw "$birou" "$@"
}
acum() { date +%s.%N; }
# Three desks at once; waits for the three only (the server is a child of this shell too).
trei() {
    local pids=()
    for b in a b c; do
        desk $b$1 porneste > /dev/null &
        pids+=($!)
    done
    for p in "${pids[@]}"; do wait "$p" || exit 1; done
}
durata() { echo "$(acum) - $1" | bc; }
mediana() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

for r in $(seq "$runde"); do
    cp "$lucru/date/Sablon.FDB" "$lucru/date/Unu$r.FDB"
    cp "$lucru/date/Sablon.FDB" "$lucru/date/Trei$r.FDB"
    desk u$r seteaza "127.0.0.1/$port:$lucru/date/Unu$r.FDB" TESSALUNA
    for b in a b c; do desk $b$r seteaza "127.0.0.1/$port:$lucru/date/Trei$r.FDB" TESSALUNA; done
    t=$(acum); desk u$r porneste > /dev/null || exit 1; durata "$t" >> "$lucru/unu-nou"
    t=$(acum); desk u$r porneste > /dev/null || exit 1; durata "$t" >> "$lucru/unu-pornit"
    t=$(acum); trei $r; durata "$t" >> "$lucru/trei-nou"
    t=$(acum); trei $r; durata "$t" >> "$lucru/trei-pornit"
done
for m in unu-nou unu-pornit trei-nou trei-pornit; do
    echo "$m: $(mediana < "$lucru/$m") s (mediana din $runde)"
done

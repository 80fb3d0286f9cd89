#!/bin/bash
# The password of a server register in the desktop's secret store: a private D-Bus session with its own
# gnome-keyring-daemon (its login keyring unlocked by an empty password) keeps it between two starts of a desk,
# and nothing of it reaches the desk's files. Without a session bus the password lives in memory only.
#   depozit_parole.sh BIROU_SERVER
set -u
birou="$1"
for p in dbus-run-session gnome-keyring-daemon; do
    command -v "$p" >/dev/null || { echo "lipseste $p (pachetele dbus-daemon si gnome-keyring)" >&2; exit 1; }
done

lucru=$(mktemp -d /tmp/depozit_parole.XXXXXX)
trap 'rm -rf "$lucru"' EXIT
esec() {
    echo "ESEC: $*" >&2
    for f in "$lucru"/*.out; do [ -s "$f" ] && { echo "== $f"; cat "$f"; }; done >&2
    exit 1
}
mkdir -p "$lucru/config" "$lucru/data" "$lucru/run"
chmod 700 "$lucru/run"
export HOME="$lucru" XDG_CONFIG_HOME="$lucru/config" XDG_DATA_HOME="$lucru/data" XDG_RUNTIME_DIR="$lucru/run"
nume="secretariat:/var/lib/firebird/3.0/data/Tessaluna2006.FDB"
parola="Parola-$RANDOM-registru"
"$birou" seteaza "$nume" TESSALUNA || esec "setarea biroului"

# The daemon runs in the foreground of the session, so the session's end ends it.
cat > "$lucru/sesiune.sh" <<EOF
printf '\n' | gnome-keyring-daemon --foreground --unlock --components=secrets > "$lucru/daemon.out" 2>&1 &
daemon=\$!
for _ in \$(seq 100); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.freedesktop.secrets 2>/dev/null | grep -q "boolean true" && break
    sleep 0.1
done
"$birou" pastreaza-parola "$parola" > "$lucru/pastreaza.out" 2>&1
"$birou" citeste-parola > "$lucru/citeste.out" 2>&1
kill \$daemon
wait \$daemon 2>/dev/null
exit 0
EOF
timeout 120 dbus-run-session -- bash "$lucru/sesiune.sh" > "$lucru/sesiune.out" 2>&1 || esec "sesiunea D-Bus"
grep -qx "PASTRATA" "$lucru/pastreaza.out" || esec "parola nu a ajuns in depozitul de parole"
grep -qx "PAROLA $parola" "$lucru/citeste.out" || esec "o noua pornire nu gaseste parola in depozit"
registru="$lucru/config/tessaluna/HKCU.reg"
grep -q "UtilizatorBazaDeDate\"=\"TESSALUNA\"" "$registru" || esec "utilizatorul nu este in HKCU.reg"
! grep -rqF "$parola" "$lucru/config" || esec "parola a ajuns in fisierele de setari"

# No session bus: no secret store. The password is kept for the run only, and the next start asks again.
env -u DBUS_SESSION_BUS_ADDRESS "$birou" pastreaza-parola "$parola" > "$lucru/fara.out" 2>&1
grep -q "^IN MEMORIE " "$lucru/fara.out" || esec "fara depozit, parola nu a ramas doar in memorie"
env -u DBUS_SESSION_BUS_ADDRESS "$birou" citeste-parola > "$lucru/fara-citeste.out" 2>&1
grep -q "^LIPSA Pe acest calculator nu exista un depozit de parole" "$lucru/fara-citeste.out" ||
    esec "fara depozit, o noua pornire nu cere parola"
! grep -rqF "$parola" "$lucru/config" || esec "parola a ajuns in fisierele de setari"
echo "depozit de parole: bine"

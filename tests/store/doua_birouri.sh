#!/bin/bash
# Two desks on one register kept by a Firebird server: a private server of Debian's package on 127.0.0.1,
# with its own port, configuration, security database and lock folder (no system service is touched),
# stopped when the test ends, whether its checks pass or not.
#   doua_birouri.sh BIROU_SERVER BLANK.FDB
set -u
birou="$1"
sablon="$2"
server=/usr/sbin/firebird
radacinaFb=/usr/lib/x86_64-linux-gnu/firebird/3.0
if [ ! -x "$server" ] || ! command -v isql-fb >/dev/null; then
    echo "lipseste serverul Firebird (pachetele firebird3.0-server si firebird3.0-utils)" >&2
    exit 1
fi

lucru=$(mktemp -d /tmp/doua_birouri.XXXXXX)
pidServer=""
opreste() {
    if [ -n "$pidServer" ] && kill -0 "$pidServer" 2>/dev/null; then
        kill "$pidServer"
        for _ in $(seq 100); do kill -0 "$pidServer" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$pidServer" 2>/dev/null
    fi
    rm -rf "$lucru"
}
trap opreste EXIT

esec() {
    echo "ESEC: $*" >&2
    for f in "$lucru"/*.out "$lucru"/*.err; do [ -s "$f" ] && { echo "== $f"; cat "$f"; }; done >&2
    exit 1
}

port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
radacina="$lucru/radacina"
mkdir -p "$radacina" "$lucru/date" "$lucru/blocare" "$lucru/tmp" "$lucru/semnale"
for f in firebird.msg intl plugins lib UDF plugins.conf fbtrace.conf; do
    ln -s "$radacinaFb/$f" "$radacina/$f"
done
cat > "$radacina/firebird.conf" <<EOF
ServerMode = Super
RemoteServicePort = $port
RemoteBindAddress = 127.0.0.1
SecurityDatabase = $lucru/security3.fdb
DatabaseAccess = Restrict $lucru/date
AuthServer = Srp
UserManager = Srp
WireCrypt = Enabled
EOF
cat > "$radacina/databases.conf" <<EOF
security.db = $lucru/security3.fdb
EOF
export FIREBIRD="$radacina" FIREBIRD_LOCK="$lucru/blocare" FIREBIRD_TMP="$lucru/tmp"

# The server's own users: SYSDBA with the program's password, made through the embedded engine.
isql-fb -q > "$lucru/isql.out" 2>&1 <<EOF || esec "baza de securitate"
create database '$lucru/security3.fdb' user SYSDBA;
create user SYSDBA password 'velkortan' using plugin Srp;
commit;
EOF

"$server" > "$lucru/server.out" 2>&1 &
pidServer=$!
for _ in $(seq 100); do
    python3 -c "import socket; socket.create_connection(('127.0.0.1', $port), 1)" 2>/dev/null && break
    sleep 0.1
done
kill -0 "$pidServer" 2>/dev/null || esec "serverul nu a pornit"

# The administrator creates the register on the server from the template.
cp "$sablon" "$lucru/date/Tessaluna2006.FDB"
unset FIREBIRD FIREBIRD_LOCK FIREBIRD_TMP
nume="127.0.0.1/$port:$lucru/date/Tessaluna2006.FDB"

desk() {
    local b="$1"; shift
    XDG_CONFIG_HOME="$lucru/$b/config" XDG_DATA_HOME="$lucru/$b/data" XDG_RUNTIME_DIR="$lucru/$b" \
        timeout 120 "$birou" "$@"
}
for b in A B; do
    mkdir -p "$lucru/$b/config" "$lucru/$b/data"
    desk $b seteaza "$nume" || esec "setarea biroului $b"
done

desk A porneste > "$lucru/A-pornire.out" 2> "$lucru/A-pornire.err" || esec "pornirea biroului A"
grep -qx "BAZA $nume" "$lucru/A-pornire.out" || esec "biroul A nu foloseste baza de pe server"
[ ! -e "$lucru/A/data/DB" ] || esec "sablonul a fost copiat langa program"
desk B porneste > "$lucru/B-pornire.out" 2> "$lucru/B-pornire.err" || esec "pornirea biroului B"

# The student both desks change; then both desks type 200 students at the same time.
desk A adauga comun 1 > "$lucru/comun.out" 2>&1 || esec "elevul comun"
desk A adauga A 200 > "$lucru/A-adauga.out" 2> "$lucru/A-adauga.err" &
pa=$!
desk B adauga B 200 > "$lucru/B-adauga.out" 2> "$lucru/B-adauga.err" &
pb=$!
desk A schimba 1 "Numele scris la A" primul "$lucru/semnale" > "$lucru/A-schimba.out" 2> "$lucru/A-schimba.err" &
sa=$!
desk B schimba 1 "Numele scris la B" al-doilea "$lucru/semnale" > "$lucru/B-schimba.out" 2> "$lucru/B-schimba.err" &
sb=$!
wait $pa || esec "biroul A nu a adaugat"
wait $pb || esec "biroul B nu a adaugat"
wait $sa || esec "biroul A nu a schimbat"
wait $sb || esec "biroul B nu a schimbat"

grep -q "^CONFLICT 2 Aceleasi date au fost schimbate in acelasi timp de la alt calculator" "$lucru/B-schimba.out" ||
    esec "schimbarea in conflict nu a fost semnalata"
grep -qx "SALVAT DIN NOU" "$lucru/B-schimba.out" || esec "schimbarea in conflict s-a pierdut"

# A new reload at either desk sees every student of both, whole, and the change saved last.
for b in A B; do
    desk $b numara > "$lucru/$b-numara.out" 2> "$lucru/$b-numara.err" || esec "numararea la $b"
    grep -qx "ELEVI 401" "$lucru/$b-numara.out" || esec "la $b nu sunt 401 elevi"
    grep -qx "INTREGI 400" "$lucru/$b-numara.out" || esec "la $b nu au sosit intregi 400 de elevi"
    grep -qx "PRIMUL Numele scris la B" "$lucru/$b-numara.out" || esec "la $b lipseste schimbarea salvata din nou"
done
# A server that cannot be reached, and one that refuses the password: a clear message, and the desk's
# own folder gets no database of its own.
portMort=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
mkdir -p "$lucru/C/config" "$lucru/C/data"
desk C seteaza "127.0.0.1/$portMort:$lucru/date/Tessaluna2006.FDB" || esec "setarea biroului C"
desk C porneste > "$lucru/C-mort.out" 2> "$lucru/C-mort.err" && esec "un server oprit a fost deschis"
grep -q "^EROARE Nu pot deschide baza de date 127.0.0.1/$portMort:" "$lucru/C-mort.err" || esec "mesajul pentru serverul oprit"
echo "alter user SYSDBA password 'alta-parola';" |
    isql-fb -q -user sysdba -password velkortan "127.0.0.1/$port:$lucru/date/Tessaluna2006.FDB" > "$lucru/parola.out" 2>&1 ||
    esec "schimbarea parolei"
desk A porneste > "$lucru/A-parola.out" 2> "$lucru/A-parola.err" && esec "o parola refuzata a fost primita"
grep -q "^EROARE Nu pot deschide baza de date $nume" "$lucru/A-parola.err" || esec "mesajul pentru parola refuzata"
[ ! -e "$lucru/C/data/DB" ] && [ ! -e "$lucru/A/data/DB" ] || esec "un birou si-a facut o baza de date proprie"
# The server goes away in the middle of a save: the desk says so clearly.
echo "alter user SYSDBA password 'velkortan';" |
    isql-fb -q -user sysdba -password alta-parola "127.0.0.1/$port:$lucru/date/Tessaluna2006.FDB" > "$lucru/parola2.out" 2>&1 ||
    esec "refacerea parolei"
desk B pana-la-oprire 1 "$lucru/semnale" > "$lucru/B-oprire.out" 2> "$lucru/B-oprire.err" &
so=$!
for _ in $(seq 600); do [ -e "$lucru/semnale/salvare-deschisa" ] && break; sleep 0.1; done
kill -9 "$pidServer"
wait "$pidServer" 2>/dev/null
touch "$lucru/semnale/server-oprit"
wait $so || esec "biroul B s-a oprit la caderea serverului"
grep -q "^OPRIT 3 Legatura cu baza de date s-a intrerupt" "$lucru/B-oprire.out" || esec "mesajul la caderea serverului"
echo "doua birouri: bine"

#!/bin/bash
# Desks on one register kept by a Firebird server: a private server of Debian's package on 127.0.0.1, with its
# own port, configuration, security database and lock folder (no system service is touched), stopped when the
# test ends, whether its checks pass or not. The register is made by the administrator's steps of the README,
# run as written there (only the paths and the server's name are this test's own).
#   doua_birouri.sh BIROU_SERVER BLANK.FDB README.md
set -u
birou="$1"
sablon="$2"
readme="$3"
. "$(dirname "$0")/server_privat.sh"
if [ ! -x "$server" ] || ! command -v isql-fb >/dev/null || ! command -v gbak >/dev/null; then
    echo "lipseste serverul Firebird (pachetele firebird3.0-server si firebird3.0-utils)" >&2
    exit 1
fi

lucru=$(mktemp -d /tmp/doua_birouri.XXXXXX)
pidServer=""
pidServer2=""
opreste() {
    oprestePid "$pidServer"
    oprestePid "$pidServer2"
    rm -rf "$lucru"
}
trap opreste EXIT

esec() {
    echo "ESEC: $*" >&2
    for f in "$lucru"/*.out "$lucru"/*.err; do [ -s "$f" ] && { echo "== $f"; cat "$f"; }; done >&2
    exit 1
}

mkdir -p "$lucru/date" "$lucru/semnale"
port=$(portLiber)
srv="$lucru/server"
pregatesteServer "$srv" "$port" Enabled
# SYSDBA's password is the server's alone, in a file as Debian keeps it; the desks never see it.
parolaAdmin="admin-$RANDOM$RANDOM"
printf 'ISC_USER=sysdba\nISC_PASSWORD=%s\n' "$parolaAdmin" > "$lucru/SYSDBA.password"
securitate "$srv" "create user SYSDBA password '$parolaAdmin' using plugin Srp;" || esec "baza de securitate"
pornesteServer "$srv" "$port" pidServer || esec "serverul nu a pornit"

# The administrator's steps, as the README gives them.
awk '/<!-- pasii-administratorului -->/ { gasit = 1; next }
     gasit && /^```sh/ { bloc = 1; next }
     bloc && /^```/ { exit }
     bloc { print }' "$readme" > "$lucru/admin.sh"
[ -s "$lucru/admin.sh" ] || esec "README nu are pasii administratorului"
for v in SABLON DOSAR SERVER ADMIN COPIE; do
    grep -q "^$v=" "$lucru/admin.sh" || esec "pasii administratorului nu mai au variabila $v"
done
sed -i -e "s|^SABLON=.*|SABLON='$sablon'|" -e "s|^DOSAR=.*|DOSAR='$lucru/date'|" \
    -e "s|^SERVER=.*|SERVER='127.0.0.1/$port'|" -e "s|^ADMIN=.*|ADMIN='$lucru/SYSDBA.password'|" \
    -e "s|^COPIE=.*|COPIE='$lucru/sablon.fbk'|" "$lucru/admin.sh"
parola="Registru-$RANDOM-parola"
mkdir -p "$lucru/admin-blocare"
printf '%s\n' "$parola" | env -u ISC_USER -u ISC_PASSWORD FIREBIRD_LOCK="$lucru/admin-blocare" \
    bash -e "$lucru/admin.sh" > "$lucru/admin.out" 2>&1 || esec "pasii administratorului din README"
[ -e "$lucru/date/Tessaluna2006.FDB" ] || esec "pasii administratorului nu au facut registrul"
[ ! -e "$lucru/sablon.fbk" ] && [ ! -e "$lucru/date/tessaluna-utilizator.tmp" ] || esec "au ramas fisiere de lucru"
# Fresh registers for the desks that start together, before any desk has touched the first.
for runda in 1 2 3; do cp "$lucru/date/Tessaluna2006.FDB" "$lucru/date/Trei$runda.FDB"; done

admin() {
    isql-fb -q -user sysdba -password "$parolaAdmin" "$@"
}
registruUtilizator() {
    isql-fb -q -user TESSALUNA -password "$parola" "$@"
}
# The register's user owns its register, and has nothing outside it: no users, no other database's data, no
# new database.
admin "127.0.0.1/$port:$lucru/date/Tessaluna2006.FDB" > "$lucru/proprietar.out" 2>&1 <<EOF
select 'PROPRIETAR ' || trim(rdb\$owner_name) from rdb\$relations where rdb\$relation_name = 'RDB\$DATABASE';
create database '127.0.0.1/$port:$lucru/date/altul.fdb';
create table SECRET (X integer);
commit;
insert into SECRET values (42);
commit;
EOF
grep -q "PROPRIETAR TESSALUNA" "$lucru/proprietar.out" || esec "registrul nu este al utilizatorului sau"
registruUtilizator "127.0.0.1/$port:$lucru/date/Tessaluna2006.FDB" > "$lucru/utilizatori.out" 2>&1 <<EOF
create user INTRUS password 'intrus';
EOF
grep -q "no permission" "$lucru/utilizatori.out" || esec "utilizatorul registrului poate face utilizatori"
registruUtilizator "127.0.0.1/$port:$lucru/date/altul.fdb" > "$lucru/altul.out" 2>&1 <<EOF
select X from SECRET;
EOF
grep -q "no permission for SELECT" "$lucru/altul.out" || esec "utilizatorul registrului citeste alta baza de date"
echo "create database '127.0.0.1/$port:$lucru/date/nou.fdb';" | registruUtilizator > "$lucru/nou.out" 2>&1
[ ! -e "$lucru/date/nou.fdb" ] || esec "utilizatorul registrului poate face alte baze de date"

nume="127.0.0.1/$port:$lucru/date/Tessaluna2006.FDB"
# A desk without a secret store: the password lives in its memory for the run (BIROU_PAROLA stands for what the
# dialog was given). No session bus reaches the desks.
desk() {
    local b="$1"; shift
    env -u DBUS_SESSION_BUS_ADDRESS XDG_CONFIG_HOME="$lucru/$b/config" XDG_DATA_HOME="$lucru/$b/data" \
        XDG_RUNTIME_DIR="$lucru/$b" BIROU_PAROLA="${PAROLA_BIROU-$parola}" timeout 120 "$birou" "$@"
}
for b in A B; do
    mkdir -p "$lucru/$b/config" "$lucru/$b/data"
    desk $b seteaza "$nume" TESSALUNA || esec "setarea biroului $b"
done

desk A porneste > "$lucru/A-pornire.out" 2> "$lucru/A-pornire.err" || esec "pornirea biroului A"
grep -qx "BAZA $nume" "$lucru/A-pornire.out" || esec "biroul A nu foloseste baza de pe server"
[ ! -e "$lucru/A/data/DB" ] || esec "sablonul a fost copiat langa program"
desk B porneste > "$lucru/B-pornire.out" 2> "$lucru/B-pornire.err" || esec "pornirea biroului B"
desk A legatura > "$lucru/A-legatura.out" 2> "$lucru/A-legatura.err" || esec "legatura biroului A"
grep -qx "UTILIZATOR TESSALUNA" "$lucru/A-legatura.out" || esec "biroul nu lucreaza cu utilizatorul registrului"
grep -qx "CRIPTAT TRUE" "$lucru/A-legatura.out" || esec "legatura biroului nu este criptata"
! grep -rqF "$parola" "$lucru/A/config" "$lucru/B/config" || esec "parola a ajuns intr-un fisier al biroului"

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

# Both desks record print jobs at the same moment, each job taking blanks of one series from number 1 on: every
# blank and every register number goes to one sheet only, the blanks run 1 to 200 without a gap, and each blank
# belongs to a recorded sheet.
desk A formulare-lot AB 1 500 > "$lucru/lot.out" 2>&1 || esec "lotul de formulare"
desk A formulare A 20 5 "$lucru/semnale" > "$lucru/A-formulare.out" 2> "$lucru/A-formulare.err" &
fa=$!
desk B formulare B 20 5 "$lucru/semnale" > "$lucru/B-formulare.out" 2> "$lucru/B-formulare.err" &
fb=$!
sleep 1
touch "$lucru/semnale/formulare-start"
wait $fa || esec "biroul A nu a luat formulare"
wait $fb || esec "biroul B nu a luat formulare"
grep -qx "LUATE 100" "$lucru/A-formulare.out" || esec "biroul A nu a luat 100 de formulare"
grep -qx "LUATE 100" "$lucru/B-formulare.out" || esec "biroul B nu a luat 100 de formulare"
desk A numara-formulare > "$lucru/formulare.out" 2>&1 || esec "numararea formularelor"
grep -qx "FORMULARE 200 DISTINCTE 200 REGISTRE 200 MAXIM 200 TIPARIRI 200 OPRITE 0" "$lucru/formulare.out" ||
    esec "formulare date de doua ori: $(cat "$lucru/formulare.out")"

# A desk killed inside the recording of a job, its blanks taken but not committed: none of them is recorded,
# nor the job's sheets, and the blanks are free for the next job.
desk B formulare-oprit 30 "$lucru/semnale" > "$lucru/B-oprit.out" 2> "$lucru/B-oprit.err" &
fo=$!
for _ in $(seq 600); do [ -s "$lucru/semnale/in-inregistrare" ] && break; sleep 0.1; done
[ -s "$lucru/semnale/in-inregistrare" ] || esec "biroul B nu a ajuns in inregistrarea lucrarii"
kill -9 "$(cat "$lucru/semnale/in-inregistrare")"
wait $fo 2>/dev/null
desk A numara-formulare > "$lucru/formulare-oprit.out" 2>&1 || esec "numararea formularelor dupa oprire"
grep -qx "FORMULARE 200 DISTINCTE 200 REGISTRE 200 MAXIM 200 TIPARIRI 200 OPRITE 0" "$lucru/formulare-oprit.out" ||
    esec "o lucrare oprita in timpul inregistrarii a lasat formulare: $(cat "$lucru/formulare-oprit.out")"
touch "$lucru/semnale/formulare-start"
desk A formulare A 1 3 "$lucru/semnale" > "$lucru/A-dupa-oprire.out" 2>&1 || esec "formularele dupa oprire"
desk A numara-formulare > "$lucru/formulare-dupa.out" 2>&1 || esec "numararea formularelor dupa oprire"
grep -qx "FORMULARE 203 DISTINCTE 203 REGISTRE 203 MAXIM 203 TIPARIRI 203 OPRITE 0" "$lucru/formulare-dupa.out" ||
    esec "formularele lucrarii oprite nu au ramas libere: $(cat "$lucru/formulare-dupa.out")"

# Both desks add batches of one series at the same moment, each overlapping two of the other's: whichever comes
# second is refused, and no two batches overlap.
desk A formulare-lot CD 1 5 > "$lucru/lot-cd.out" 2>&1 || esec "lotul seriei CD"
desk A formulare-loturi 1000 "$lucru/semnale" > "$lucru/A-loturi.out" 2> "$lucru/A-loturi.err" &
la=$!
desk B formulare-loturi 1005 "$lucru/semnale" > "$lucru/B-loturi.out" 2> "$lucru/B-loturi.err" &
lb=$!
sleep 1
touch "$lucru/semnale/loturi-start"
wait $la || esec "biroul A nu a adaugat loturi"
wait $lb || esec "biroul B nu a adaugat loturi"
desk A numara-formulare > "$lucru/loturi.out" 2>&1 || esec "numararea loturilor"
grep -q "^LOTURI .* SUPRAPUSE 0$" "$lucru/loturi.out" || esec "loturi suprapuse: $(cat "$lucru/loturi.out")"

# Three desks started at the same moment, each time on a register no desk has started yet, then once more on the
# last: no message, every column the start-up adds is there for each desk's first reads, and the rows the start-up
# writes are each there once and right.
for runda in 1 2 3 4; do
    registru="Trei$((runda < 4 ? runda : 3)).FDB"
    pids=()
    for b in T1 T2 T3; do
        mkdir -p "$lucru/$b/config" "$lucru/$b/data"
        desk $b seteaza "127.0.0.1/$port:$lucru/date/$registru" TESSALUNA || esec "setarea biroului $b"
        desk $b porneste > "$lucru/$b-$runda.out" 2> "$lucru/$b-$runda.err" &
        pids+=($!)
    done
    for i in 0 1 2; do
        wait "${pids[$i]}" || esec "pornirea simultana $runda a biroului T$((i + 1))"
    done
    for b in T1 T2 T3; do
        [ ! -s "$lucru/$b-$runda.err" ] || esec "pornirea simultana $runda a dat un mesaj la $b"
    done
    desk T1 verifica > "$lucru/verifica-$runda.out" 2>&1 || esec "verificarea dupa pornirea $runda"
    grep -qx "VERSIUNE 3" "$lucru/verifica-$runda.out" || esec "versiunea dupa pornirea $runda"
    grep -qx "TABELE 2" "$lucru/verifica-$runda.out" || esec "tabelele dupa pornirea $runda"
    grep -qx "TIPURI 7 DISTINCTE 7" "$lucru/verifica-$runda.out" || esec "tipurile de date dupa pornirea $runda"
    grep -Eqx "PROFIL ([0-9]+) CORECTE \1 DIN \1" "$lucru/verifica-$runda.out" || esec "profilul dupa pornirea $runda"
done

# A server that cannot be reached, a refused password, and the server administrator's name and the password the
# program once had built in: a clear message, and the desk's own folder gets no database of its own.
portMort=$(portLiber)
mkdir -p "$lucru/C/config" "$lucru/C/data"
desk C seteaza "127.0.0.1/$portMort:$lucru/date/Tessaluna2006.FDB" TESSALUNA || esec "setarea biroului C"
desk C porneste > "$lucru/C-mort.out" 2> "$lucru/C-mort.err" && esec "un server oprit a fost deschis"
grep -q "^EROARE Nu pot deschide baza de date 127.0.0.1/$portMort:" "$lucru/C-mort.err" || esec "mesajul pentru serverul oprit"
PAROLA_BIROU="gresita" desk A porneste > "$lucru/A-parola.out" 2> "$lucru/A-parola.err" &&
    esec "o parola gresita a fost primita"
grep -q "^EROARE Nu pot deschide baza de date $nume: serverul nu primeste utilizatorul TESSALUNA" \
    "$lucru/A-parola.err" || esec "mesajul pentru parola gresita"
mkdir -p "$lucru/S/config" "$lucru/S/data"
desk S seteaza "$nume" SYSDBA || esec "setarea biroului S"
PAROLA_BIROU="velkortan" desk S porneste > "$lucru/S.out" 2> "$lucru/S.err" && esec "SYSDBA a intrat cu parola veche"
grep -q "^EROARE Nu pot deschide baza de date $nume: serverul nu primeste utilizatorul SYSDBA" "$lucru/S.err" ||
    esec "mesajul pentru SYSDBA"
PAROLA_BIROU="" desk A porneste > "$lucru/A-fara.out" 2> "$lucru/A-fara.err" && esec "un birou fara parola a pornit"
grep -q "^EROARE Nu pot deschide baza de date $nume: Pe acest calculator nu exista un depozit de parole" \
    "$lucru/A-fara.err" || esec "mesajul pentru parola lipsa fara depozit de parole"
# With a user to ask, start-up asks for a refused or a missing password, with the reason, and goes on.
PAROLA_BIROU="gresita" BIROU_RASPUNS="$parola" desk A porneste > "$lucru/A-intrebare.out" 2> "$lucru/A-intrebare.err" ||
    esec "pornirea dupa intrebarea pentru parola refuzata"
grep -q "^INTREBARE Nu pot deschide baza de date $nume: serverul nu primeste utilizatorul TESSALUNA" \
    "$lucru/A-intrebare.out" || esec "intrebarea pentru parola refuzata"
grep -qx "BAZA $nume" "$lucru/A-intrebare.out" || esec "pornirea nu a continuat dupa intrebare"
PAROLA_BIROU="" BIROU_RASPUNS="$parola" desk A porneste > "$lucru/A-lipsa.out" 2> "$lucru/A-lipsa.err" ||
    esec "pornirea dupa intrebarea pentru parola lipsa"
grep -q "^INTREBARE Pe acest calculator nu exista un depozit de parole" "$lucru/A-lipsa.out" ||
    esec "intrebarea pentru parola lipsa"
[ ! -e "$lucru/C/data/DB" ] && [ ! -e "$lucru/A/data/DB" ] && [ ! -e "$lucru/S/data/DB" ] ||
    esec "un birou si-a facut o baza de date proprie"

# The dialog's check: a wrong password stores nothing; the right one stores the name and the user, and the
# password in memory only on a desk without a secret store, so the next start asks for it again.
mkdir -p "$lucru/E/config" "$lucru/E/data"
PAROLA_BIROU="" desk E acces "$nume" TESSALUNA gresita > "$lucru/E-gresita.out" 2> "$lucru/E-gresita.err" &&
    esec "dialogul a primit o parola gresita"
grep -q "^EROARE Nu pot deschide baza de date $nume: serverul nu primeste utilizatorul TESSALUNA" \
    "$lucru/E-gresita.err" || esec "mesajul dialogului pentru parola gresita"
! grep -rqs "BazaDeDate" "$lucru/E/config" || esec "dialogul a scris setari dupa o parola gresita"
PAROLA_BIROU="" desk E acces "$nume" TESSALUNA "$parola" > "$lucru/E-acces.out" 2> "$lucru/E-acces.err" ||
    esec "dialogul nu a primit parola buna"
grep -Eq "^SALVAT .+" "$lucru/E-acces.out" || esec "fara depozit de parole, dialogul nu spune ca parola ramane in memorie"
grep -rq "UtilizatorBazaDeDate\"=\"TESSALUNA\"" "$lucru/E/config" || esec "dialogul nu a pastrat utilizatorul"
! grep -rqF "$parola" "$lucru/E/config" || esec "parola a ajuns in setarile biroului"
PAROLA_BIROU="" desk E porneste > "$lucru/E-porneste.out" 2> "$lucru/E-porneste.err" &&
    esec "fara depozit de parole, parola a supravietuit pornirii"

# A server that will not encrypt the wire is refused, with a message that says so.
port2=$(portLiber)
srv2="$lucru/server2"
pregatesteServer "$srv2" "$port2" Disabled
securitate "$srv2" "create user TESSALUNA password '$parola' using plugin Srp;" || esec "baza de securitate 2"
pornesteServer "$srv2" "$port2" pidServer2 || esec "serverul fara criptare nu a pornit"
mkdir -p "$lucru/D/config" "$lucru/D/data"
desk D seteaza "127.0.0.1/$port2:$lucru/date/Trei1.FDB" TESSALUNA || esec "setarea biroului D"
desk D porneste > "$lucru/D.out" 2> "$lucru/D.err" && esec "un server fara criptare a fost primit"
grep -q "^EROARE Nu pot deschide baza de date 127.0.0.1/$port2:.*: serverul nu accepta o legatura criptata" \
    "$lucru/D.err" || esec "mesajul pentru serverul fara criptare"
oprestePid "$pidServer2"

# The server stops and starts again while a desk is connected: the save says the connection was lost, the
# reconnection needs no new start of the program, and the same save then goes through.
desk B reconecteaza 1 "$lucru/semnale" > "$lucru/B-reconecteaza.out" 2> "$lucru/B-reconecteaza.err" &
sr=$!
for _ in $(seq 600); do [ -e "$lucru/semnale/conectat" ] && break; sleep 0.1; done
oprestePid "$pidServer"
pornesteServer "$srv" "$port" pidServer || esec "serverul nu a pornit din nou"
touch "$lucru/semnale/server-repornit"
wait $sr || esec "biroul B nu s-a reconectat"
grep -q "^PIERDUT 3 Legatura cu baza de date s-a intrerupt" "$lucru/B-reconecteaza.out" ||
    esec "mesajul la pierderea legaturii"
grep -qx "SALVAT DUPA RECONECTARE" "$lucru/B-reconecteaza.out" || esec "salvarea dupa reconectare"
desk A numara > "$lucru/A-dupa.out" 2> "$lucru/A-dupa.err" || esec "numararea dupa reconectare"
grep -qx "PRIMUL Salvat dupa reconectare" "$lucru/A-dupa.out" || esec "salvarea dupa reconectare nu a ajuns"

# The server goes away in the middle of a save: the desk says so clearly.
desk B pana-la-oprire 1 "$lucru/semnale" > "$lucru/B-oprire.out" 2> "$lucru/B-oprire.err" &
so=$!
for _ in $(seq 600); do [ -e "$lucru/semnale/salvare-deschisa" ] && break; sleep 0.1; done
kill -9 "$pidServer"
wait "$pidServer" 2>/dev/null
touch "$lucru/semnale/server-oprit"
wait $so || esec "biroul B s-a oprit la caderea serverului"
grep -q "^OPRIT 3 Legatura cu baza de date s-a intrerupt" "$lucru/B-oprire.out" || esec "mesajul la caderea serverului"
echo "doua birouri: bine"

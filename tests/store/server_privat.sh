# Private Firebird servers for the tests and benchmarks of a shared register: Debian's server binary with a root
# folder, configuration, security database and lock folder of its own, on 127.0.0.1 and a free port. Sourced;
# the caller sets $lucru (its work folder, whose date/ subfolder holds the databases).
server=/usr/sbin/firebird
radacinaFb=/usr/lib/x86_64-linux-gnu/firebird/3.0

oprestePid() {
    local pid="$1"
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid"
        for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    fi
}
portLiber() {
    python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

# A server's root folder: the package's files, and a configuration of its own.
#   pregatesteServer DOSAR PORT WIRECRYPT
pregatesteServer() {
    local d="$1" p="$2" criptare="$3"
    mkdir -p "$d/radacina" "$d/blocare" "$d/tmp"
    for f in firebird.msg intl plugins lib UDF plugins.conf fbtrace.conf; do
        ln -s "$radacinaFb/$f" "$d/radacina/$f"
    done
    cat > "$d/radacina/firebird.conf" <<EOF
ServerMode = Super
RemoteServicePort = $p
RemoteBindAddress = 127.0.0.1
SecurityDatabase = $d/security3.fdb
DatabaseAccess = Restrict $lucru/date
AuthServer = Srp
UserManager = Srp
WireCrypt = $criptare
EOF
    echo "security.db = $d/security3.fdb" > "$d/radacina/databases.conf"
}

# Runs the server of DOSAR in the background; its process id goes into the variable named by the second argument.
pornesteServer() {
    local d="$1" p="$2"
    FIREBIRD="$d/radacina" FIREBIRD_LOCK="$d/blocare" FIREBIRD_TMP="$d/tmp" "$server" >> "$d/server.out" 2>&1 &
    eval "$3=$!"
    for _ in $(seq 100); do
        python3 -c "import socket; socket.create_connection(('127.0.0.1', $p), 1)" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}

# The security database of a server, made through the embedded engine before the server runs.
securitate() {
    local d="$1"; shift
    FIREBIRD="$d/radacina" FIREBIRD_LOCK="$d/blocare" FIREBIRD_TMP="$d/tmp" isql-fb -q > "$d/isql.out" 2>&1 <<EOF
create database '$d/security3.fdb' user SYSDBA;
$*
commit;
EOF
}


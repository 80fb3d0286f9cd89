#!/usr/bin/env bash
# Starts the program from a folder holding only the executable and BLANK.FDB, as an ordinary user who
# cannot write that folder, lets it reach its main window, then checks the database it created in the
# user's own data folder.
set -u
exe=$1
blank=$2

fail() { echo "FAIL: $*"; [ -f "$work/log" ] && cat "$work/log"; exit 1; }
. "$(dirname "$0")/ruleaza_program.sh"

work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
chmod 755 "$work"
mkdir "$work/prog" "$work/home"
cp "$exe" "$blank" "$work/prog/"
chmod 555 "$work/prog"
mkdir -m 700 "$work/home/run"

if [ "$(id -u)" -eq 0 ]; then
  command -v runuser >/dev/null || exit 77
  chown -R nobody "$work/home"
  as_user=(runuser -u nobody --)
else
  as_user=()
fi

env_user=(env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_CONFIG_HOME="$work/home/config"
          XDG_DATA_HOME="$work/home/data" XDG_RUNTIME_DIR="$work/home/run" LANG=C.UTF-8
          QT_QPA_PLATFORM=offscreen)

# The program must reach its message loop, past the start screen, and end cleanly when asked to stop.
ruleaza_pana_la_fereastra "$work/home/data/Tessaluna/DB/Tessaluna2006.FDB" \
  "${as_user[@]}" "${env_user[@]}" timeout -k 10 300 "$work/prog/tessaluna" >"$work/log" 2>&1
[ $rc -eq 0 ] || fail "the program did not run until stopped, or did not stop cleanly (code $rc)"

db="$work/home/data/Tessaluna/DB/Tessaluna2006.FDB"
[ -f "$db" ] || fail "no database at $db"
[ ! -e "$work/prog/DB" ] || fail "the program folder was written"
[ "$(ls "$work/prog" | sort | tr '\n' ' ')" = "BLANK.FDB tessaluna " ] || fail "program folder changed"

out=$(echo "select 'V=' || VERSIUNE from CONFID_DB; select 'P=' || count(*) from PROFIL_DIPLOMA;
select 'T=' || count(*) from TIPURI_DE_DATE; select 'R=' || count(*) from RDB\$RELATIONS where RDB\$RELATION_NAME in ('ELEVI','SCOALA');" |
  "${as_user[@]}" "${env_user[@]}" FIREBIRD_LOCK="$work/home/run/tessaluna/firebird-lock" \
  isql-fb -q -u sysdba -p velkortan "$db" 2>&1)
for want in V=3 P=30 T=7 R=2; do
  echo "$out" | grep -q "$want" || fail "database check $want: $out"
done

# A register beside the program that the user may write stays in use there, though the folder is read-only:
# no empty register appears in the user's folder.
mkdir -p "$work/prog2/DB" "$work/home2/run"
cp "$exe" "$blank" "$work/prog2/"
cp "$blank" "$work/prog2/DB/Tessaluna2006.FDB"
chmod 700 "$work/home2/run"
if [ "$(id -u)" -eq 0 ]; then chown -R nobody "$work/prog2/DB" "$work/home2"; fi
chmod 555 "$work/prog2"
env_user2=(env -i PATH=/usr/bin:/bin HOME="$work/home2" XDG_CONFIG_HOME="$work/home2/config"
           XDG_DATA_HOME="$work/home2/data" XDG_RUNTIME_DIR="$work/home2/run" LANG=C.UTF-8
           QT_QPA_PLATFORM=offscreen)
ruleaza_pana_la_fereastra "$work/prog2/DB/Tessaluna2006.FDB" \
  "${as_user[@]}" "${env_user2[@]}" timeout -k 10 300 "$work/prog2/tessaluna" >"$work/log" 2>&1
[ $rc -eq 0 ] || fail "second start: the program did not run until stopped (code $rc)"
[ ! -e "$work/home2/data/Tessaluna/DB" ] || fail "an empty register was made in the user's folder"
out=$(echo "select 'V=' || VERSIUNE from CONFID_DB;" |
  "${as_user[@]}" "${env_user2[@]}" FIREBIRD_LOCK="$work/home2/run/tessaluna/firebird-lock" \
  isql-fb -q -u sysdba -p velkortan "$work/prog2/DB/Tessaluna2006.FDB" 2>&1)
echo "$out" | grep -q "V=3" || fail "the register beside the program was not the one upgraded: $out"
chmod 755 "$work/prog2"
echo "ok: $(id -un) -> ${as_user[*]:-same user}"

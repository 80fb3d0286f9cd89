#!/usr/bin/env bash
# Builds the Debian package into a temporary folder, checks its control data and its menu entry, extracts it
# into a temporary root (nothing is installed) and starts the extracted program there, as an ordinary user and
# as root, each with a fresh home: both must make their register in their own data folder from the packaged
# template, leave the extracted tree as it was, and stop cleanly when asked.
set -u
cpack=$1
config=$2
version=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
. "$(dirname "$0")/ruleaza_program.sh"

chmod 755 "$work"
"$cpack" --config "$config" -B "$work/out" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
debs=("$work"/out/*.deb)
[ ${#debs[@]} -eq 1 ] || fail "expected one package, got: ${debs[*]}"
deb=${debs[0]}
[ "$(basename "$deb")" = "tessaluna_${version}_amd64.deb" ] || fail "package file name $(basename "$deb")"
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = tessaluna ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = amd64 ] || fail "Architecture: $(field Architecture)"
depends=$(field Depends)
recommends=$(field Recommends)
names() { tr ',|' '\n\n' | sed 's/(.*)//; s/[[:space:]]//g' | grep -v '^$' | sort -u; }
echo "Depends: $depends"

dpkg-deb -x "$deb" "$work/root" || fail "dpkg-deb -x"
exe="$work/root/usr/bin/tessaluna"
sizes="16 22 24 32 48 64 128 256"
files="usr/bin/tessaluna usr/share/tessaluna/BLANK.FDB usr/share/applications/tessaluna.desktop
       usr/share/icons/hicolor/scalable/apps/tessaluna.svg usr/share/doc/tessaluna/copyright
       usr/share/doc/tessaluna/changelog.gz usr/share/man/man1/tessaluna.1.gz
       usr/share/metainfo/org.tessaluna.tessaluna.metainfo.xml"
for n in $sizes; do files="$files usr/share/icons/hicolor/${n}x${n}/apps/tessaluna.png"; done
for f in $files; do
  [ -f "$work/root/$f" ] || fail "$f missing from the package"
done
extra=$(cd "$work/root" && find . -type f | sed 's|^\./||' | sort | grep -v -x -F "$(echo $files | tr ' ' '\n')")
[ -z "$extra" ] || fail "unexpected files in the package: $extra"
for n in $sizes; do
  file "$work/root/usr/share/icons/hicolor/${n}x${n}/apps/tessaluna.png" | grep -q "PNG image data, $n x $n," ||
    fail "icon ${n}x${n}: $(file "$work/root/usr/share/icons/hicolor/${n}x${n}/apps/tessaluna.png")"
done
out=$(appstreamcli validate --no-net "$work/root/usr/share/metainfo/org.tessaluna.tessaluna.metainfo.xml" 2>&1) ||
  fail "appstreamcli validate: $out"
zcat "$work/root/usr/share/man/man1/tessaluna.1.gz" | grep -q '^\.TH TESSALUNA 1' || fail "the manual page"

# Debian's own checks: no error and no warning (informational tags are allowed).
command -v lintian >/dev/null || fail "lintian is not installed"
out=$(lintian "$deb" 2>&1 | grep -E '^[EW]: ')
[ -z "$out" ] || fail "lintian: $out"

# Every library the program links must come with a package named in Depends, and nothing must be named
# there that the program does not link, but the embedded engine (a plugin the client library loads) and
# libsecret (which QtKeychain loads to reach the desktop's secret store).
ldd "$exe" | grep -q 'not found' && fail "unresolved library: $(ldd "$exe" | grep 'not found')"
linked=$(readelf -d "$exe" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' | while read -r so; do
           # The dynamic loader has no "=>" in ldd's list: its path stands first.
           lib=$(ldd "$exe" | awk -v so="$so" '$1 == so { print $3 } $1 ~ ("/" so "$") { print $1 }')
           dpkg -S "$lib" 2>/dev/null || dpkg -S "$(readlink -f "$lib")" 2>/dev/null || echo "none-for-$so:"
         done | cut -d: -f1 | sort -u)
[ -n "$linked" ] || fail "no linked library found"
wanted=$(echo "$depends" | names)
for p in $linked; do
  echo "$wanted" | grep -qx "$p" || fail "linked package $p not in Depends"
done
for p in $wanted; do
  case "$p" in firebird3.0-server-core | fonts-liberation | libsecret-1-0) continue ;; esac
  echo "$linked" | grep -qx "$p" || fail "Depends names $p, which the program does not link"
done
echo "$wanted" | grep -qx firebird3.0-server-core || fail "the embedded engine is not in Depends"
echo "$wanted" | grep -qx libsecret-1-0 || fail "libsecret, for the secret store, is not in Depends"
# Without Liberation Sans the certificate's Arial falls back to a wider font and long names are cut.
echo "$wanted" | grep -qx fonts-liberation || fail "the certificate's font is not in Depends: $depends"
for p in libreoffice-calc-nogui python3-uno; do
  echo "$recommends" | names | grep -qx "$p" || fail "Recommends lacks $p: $recommends"
done

desktop="$work/root/usr/share/applications/tessaluna.desktop"
out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
echo "$out" | grep -Eq ': (error|warning):' && fail "desktop-file-validate: $out"
key() { grep -m1 "^$1=" "$desktop" | cut -d= -f2-; }
[ "$(key Name)" = Tessaluna ] || fail "Name=$(key Name)"
[ "$(key Exec)" = tessaluna ] || fail "Exec=$(key Exec) does not start /usr/bin/tessaluna"
[ "$(key Icon)" = tessaluna ] || fail "Icon=$(key Icon)"
# One main category; English texts with their Romanian translations.
[ "$(key Categories)" = "Education;" ] || fail "Categories=$(key Categories)"
for k in GenericName Comment Keywords; do
  [ -n "$(key "$k")" ] && [ -n "$(key "$k\[ro\]")" ] || fail "$k without its [ro] translation"
  [ "$(key "$k")" != "$(key "$k\[ro\]")" ] || fail "$k is not in English"
done

tree_before=$(cd "$work/root" && find . -printf '%p %s %m\n' | sort)

# One run as the given user (empty: the current one) with a fresh home under $work/$2.
run() {
  local who=$1 home="$work/$2" as_user=()
  mkdir -p "$home/run" && chmod 700 "$home/run"
  if [ -n "$who" ]; then
    chown -R "$who" "$home"
    as_user=(runuser -u "$who" --)
  fi
  local env_user=(env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data"
                  XDG_RUNTIME_DIR="$home/run" LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen)
  # The program must reach its message loop, past the start screen, and end cleanly when asked to stop.
  local db="$home/data/Tessaluna/DB/Tessaluna2006.FDB" rc
  ruleaza_pana_la_fereastra "$db" "${as_user[@]}" "${env_user[@]}" timeout -k 10 300 "$exe" >"$home/log" 2>&1
  echo $rc >"$home/rc"
  [ -f "$db" ] || return
  echo "select 'V=' || VERSIUNE from CONFID_DB; select 'P=' || count(*) from PROFIL_DIPLOMA;
select 'T=' || count(*) from TIPURI_DE_DATE;" |
    "${as_user[@]}" "${env_user[@]}" FIREBIRD_LOCK="$home/run/tessaluna/firebird-lock" \
    isql-fb -q -u sysdba -p velkortan "$db" >"$home/isql" 2>&1
}

users=(root)
if [ "$(id -u)" -eq 0 ] && command -v runuser >/dev/null; then
  users+=(nobody)
fi
for u in "${users[@]}"; do
  if [ "$u" = root ]; then run "" "home-$u" & else run "$u" "home-$u" & fi
done
wait
for u in "${users[@]}"; do
  home="$work/home-$u"
  rc=$(cat "$home/rc")
  [ "$rc" -eq 0 ] || { cat "$home/log"; fail "$u: the program did not run until stopped, or did not stop cleanly (code $rc)"; }
  [ -f "$home/data/Tessaluna/DB/Tessaluna2006.FDB" ] || { cat "$home/log"; fail "$u: no register in the user's data folder"; }
  for want in V=3 P=30 T=7; do
    grep -q "$want" "$home/isql" || fail "$u: register check $want: $(cat "$home/isql")"
  done
done
[ "$(cd "$work/root" && find . -printf '%p %s %m\n' | sort)" = "$tree_before" ] || fail "the extracted tree was changed"
echo "ok: ${users[*]}"

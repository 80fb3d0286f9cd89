#!/usr/bin/env bash
# Installs what the build needs from Debian's packages (only what is missing), builds, then runs the
# program ("run") or the tests ("test").
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(g++ cmake make pkg-config qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev qt6-pdf-dev
          firebird-dev libfbclient2 firebird3.0-server-core firebird3.0-utils firebird3.0-server
          libfreexl-dev libzip-dev fonts-liberation poppler-utils xvfb xauth libbenchmark-dev
          dpkg-dev file desktop-file-utils libreoffice-calc-nogui python3-uno librsvg2-bin lintian appstream
          qtkeychain-qt6-dev libsecret-1-0 gnome-keyring dbus-daemon libxlsxwriter-dev)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"

case "${1:-}" in
  run)
    if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
      exec xvfb-run -a -s "-screen 0 1600x1200x24" build/bin/tessaluna
    fi
    exec build/bin/tessaluna
    ;;
  test)
    cd build
    exec ctest --output-on-failure -j"$jobs"
    ;;
  *)
    echo "usage: scripts/setup.sh run|test" >&2
    exit 2
    ;;
esac

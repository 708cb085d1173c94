#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the programs need.
# Idempotent: does nothing (and says nothing) when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache clang-format pkg-config
  libsqlite3-dev sqlite3
  libmdb3 mdbtools-dev mdbtools
  libdxflib-dev
  qt6-base-dev qt6-svg-dev libgl-dev
  qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
  libgtest-dev libgmock-dev libbenchmark-dev libmuparser-dev
  libcli11-dev nlohmann-json3-dev
  libwmf-dev fonts-urw-base35
  python3-ezdxf
  fonts-noto-cjk
  xvfb xauth
  librecad poppler-utils
  imagemagick jq valgrind
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "install-deps: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

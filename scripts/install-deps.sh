#!/usr/bin/env bash
# Installs the Debian packages Quelvo needs to build, run and test.
# Idempotent: packages already present are left alone. Works as root or through sudo.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libqt6svg6
  zlib1g-dev liblzma-dev
  libavcodec-dev libavutil-dev qt6-multimedia-dev
  libgtest-dev libgmock-dev
  fonts-wqy-zenhei
  xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

run() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
run apt-get update -qq
run apt-get install -y -qq --no-install-recommends "${missing[@]}"

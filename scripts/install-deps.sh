#!/usr/bin/env bash
# Installs what building, running and testing Quenvale needs on Debian,
# through apt-get (with sudo when not root), only when something is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ ccache pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-l10n-tools qt6-translations-l10n libqt6sql6-sqlite libqt6sql6-psql libgl-dev libx11-dev
  clang
  fonts-noto-cjk fonts-dejavu-core fonts-arphic-uming
  xvfb xauth
  libcups2-dev libxlsxwriter-dev libxxhash-dev libpq-dev
  unzip poppler-utils python3 postgresql
  mawk
  dpkg-dev help2man librsvg2-bin man-db desktop-file-utils appstream shared-mime-info libglib2.0-bin
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
    || missing+=("$package")
done

apt() {
  if [ "$(id -u)" -eq 0 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get "$@"
  else
    sudo DEBIAN_FRONTEND=noninteractive apt-get "$@"
  fi
}

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt update -qq
  apt install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# libFuzzer and the sanitizer runtimes come with the runtime package of the
# clang that is installed.
clang_major=$(clang --version | sed -n 's/.*clang version \([0-9]*\).*/\1/p' | head -n 1)
runtime="libclang-rt-${clang_major}-dev"
if ! dpkg-query -W -f='${Status}' "$runtime" 2>/dev/null | grep -q "install ok installed"; then
  echo "Installing: $runtime"
  apt update -qq
  apt install -y -qq --no-install-recommends "$runtime" >/dev/null
fi

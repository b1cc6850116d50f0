#!/bin/bash
# Installs the Debian packages the build and the tests need, if any is missing. Idempotent.
set -euo pipefail
packages=(cmake g++ ninja-build ccache libgtest-dev libgmock-dev googletest libbenchmark-dev
          qt6-base-dev qt6-base-dev-tools qt6-charts-dev qt6-translations-l10n libgl-dev
          fonts-ipafont-gothic fonts-ipafont-mincho xvfb xdotool xclip imagemagick poppler-utils
          openbox xdg-utils desktop-file-utils shared-mime-info libglib2.0-bin
          libfile-mimeinfo-perl libxml2-utils)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "installing: ${missing[*]}" >&2
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >&2

#!/usr/bin/env bash
# Installs what building and testing the program on Linux needs, from Debian's packages.
set -euo pipefail
packages=(cmake g++ make libgtest-dev
  libldap-dev libsasl2-dev libkrb5-dev libsasl2-modules-gssapi-mit)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

#!/usr/bin/env bash
# Installs what building and testing Moxavel needs on Debian 12, as root.
# Idempotent: every step checks first and skips what is already there.
set -euo pipefail

packages=(
  build-essential cmake git file ca-certificates python3
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  wine wine32:i386 wine64 xvfb xauth locales fonts-wqy-zenhei imagemagick xdotool
  googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
  libcpp-httplib-dev nlohmann-json3-dev curl zip unzip
)

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
# npm may come with a Node.js that is not Debian's (whose nodejs conflicts with Debian's npm).
command -v npm >/dev/null 2>&1 || missing+=(npm)

if ((${#missing[@]})); then
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: missing packages (${missing[*]}); run as root to install them" >&2
    exit 1
  fi
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The Chinese locale makes Wine's ANSI code page 936, which every GBK text relies on.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: locale zh_CN.UTF-8 missing; run as root" >&2
    exit 1
  fi
  sed -i 's/^# *zh_CN.UTF-8/zh_CN.UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen
fi

#!/usr/bin/env bash
# Installs what the build and the three test tiers need on a Debian machine; does nothing when all
# of it is there already, so every make target can call it first.
set -euo pipefail

need=()
have() { command -v "$1" >/dev/null 2>&1; }
have cmake || need+=(cmake)
have g++ || need+=(g++)
have x86_64-w64-mingw32-g++-posix || need+=(g++-mingw-w64-x86-64)
have wine || need+=(wine64 wine)
have xvfb-run || need+=(xvfb)
have xdotool || need+=(xdotool)
have import || need+=(imagemagick)
have xauth || need+=(xauth)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)

if [ ${#need[@]} -eq 0 ]; then
    exit 0
fi

echo "bootstrap: installing ${need[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${need[@]}" >/dev/null

#!/usr/bin/env bash
# Installs the build and test tools with apt-get when any is missing.
set -euo pipefail
need=()
command -v cmake    >/dev/null || need+=(cmake)
command -v g++      >/dev/null || need+=(g++)
command -v gfortran >/dev/null || need+=(gfortran)
command -v gs       >/dev/null || need+=(ghostscript)
command -v make     >/dev/null || need+=(make)
command -v pkg-config >/dev/null || need+=(pkg-config)
[ -f /usr/include/gtest/gtest.h ] || need+=(libgtest-dev googletest)
if [ ${#need[@]} -gt 0 ]; then
  echo "installing: ${need[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update -qq
  $sudo_cmd apt-get install -y -qq "${need[@]}"
fi

#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Quarnel
# need, when any of them is missing. Safe to run again: it does nothing when
# everything is there. Runs non-interactively (CI has no standard input).
set -euo pipefail

packages=(
  build-essential cmake g++ make pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libgl-dev fonts-noto-cjk fonts-dejavu-core
  clang libclang-rt-14-dev clang-format
  strace e2fsprogs util-linux mount
  dpkg-dev file desktop-file-utils lintian
  # make package-test: hardening-check; the --diff test applies its output
  # with patch; the install test drives the shell completion
  devscripts patch bash-completion zsh
  # make windows and make test-windows: the MinGW-w64 cross compiler and Wine
  g++-mingw-w64-x86-64-posix wine wine64
  # make test-windows shows the native windows on a private X server
  xvfb
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "bootstrap: installing ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
  if command -v sudo >/dev/null 2>&1; then
    sudo=(sudo -n)
  else
    echo "bootstrap: these packages are missing and this user cannot install them: ${missing[*]}" >&2
    exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq </dev/null
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null

#!/usr/bin/env bash
# Set up a fresh Debian machine, build Veldmark, then run it or its tests.
#   ./build.sh run    install what is missing, build, start Veldmark
#   ./build.sh test   install what is missing, build, run the whole test suite
set -euo pipefail
cd "$(dirname "$0")"

packages=(build-essential cmake ninja-build qt6-base-dev qt6-charts-dev qt6-svg-dev
          libgl-dev libgtest-dev libbenchmark-dev shared-mime-info locales
          desktop-file-utils appstream)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

build_dir=${VELDMARK_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build_dir" --parallel "$(nproc)"

case "${1:-run}" in
  run)  exec "$build_dir/app/veldmark" ;;
  test) cd "$build_dir" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" ;;
  *)    echo "usage: $0 run|test" >&2; exit 2 ;;
esac

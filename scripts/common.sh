# Shared steps of the project scripts: install what is missing, configure and build.
# Sourced by scripts/demo and scripts/test; works on a fresh Debian 12 machine as root.

set -euo pipefail

PROJECT_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${QUILLMERE_BUILD_DIR:-$PROJECT_DIR/build}"

# Debian packages the build and the tests need.
REQUIRED_PACKAGES=(
  g++ cmake ninja-build pkg-config
  googletest libgtest-dev
  qt6-base-dev qt6-translations-l10n
  python3 python3-ezdxf
  xvfb xauth fonts-dejavu-core
  clang libclang-rt-14-dev
)

ensure_packages() {
  local missing=()
  local package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$package")
    fi
  done
  if [ "${#missing[@]}" -eq 0 ]; then
    return 0
  fi
  echo "Installing missing packages: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
  fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

configure_and_build() {
  cmake -S "$PROJECT_DIR" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  cmake --build "$BUILD_DIR"
}

# Shared steps of the project scripts: install what is missing, configure and build.
# Sourced by scripts/demo and scripts/test; works on a fresh Debian 12 machine as root.

set -euo pipefail

PROJECT_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${QUILLMERE_BUILD_DIR:-$PROJECT_DIR/build}"

# Debian packages the build and the tests need.
REQUIRED_PACKAGES=(
  g++ cmake ninja-build pkg-config ccache
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

# The compiler cache, once it is installed: a build of sources compiled
# before, also in another checkout of the project, takes a fraction of the
# time. Paths inside the project are hashed relative to it, and the build
# folder is left out of the hash of objects with line tables (the sanitizer
# builds), which then name their sources relative to the build folder.
use_compiler_cache() {
  if command -v ccache >/dev/null 2>&1; then
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PROJECT_DIR}"
    export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-true}"
  fi
}

# Configures the build folder FOLDER with the project's preset PRESET (see
# CMakePresets.json), through the compiler cache; further arguments go to
# cmake. The folder may differ from the preset's own (the QUILLMERE_*_DIR
# variables of the scripts).
configure_preset() {
  local preset="$1" folder="$2"
  shift 2
  use_compiler_cache
  cmake -S "$PROJECT_DIR" --preset "$preset" -B "$folder" "$@" >/dev/null
}

# The release build: programs, tests and benchmarks.
configure_and_build() {
  configure_preset release "$BUILD_DIR" "$@"
  cmake --build "$BUILD_DIR"
}

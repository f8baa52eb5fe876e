# Debian packages the build, the tests and the run need. Sourced by run.sh and
# test.sh; `qov_ensure_packages` installs what is missing when running as
# root, and otherwise prints the command to run and fails.

QOV_PACKAGES=(
  cmake ninja-build g++ libgtest-dev
  g++-mingw-w64-x86-64-posix
  wine64 xvfb xauth fonts-noto-cjk fonts-liberation imagemagick x11-utils
  nsis
)

qov_ensure_packages() {
  local missing=() package
  for package in "${QOV_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  ((${#missing[@]} == 0)) && return 0

  if [[ $(id -u) == 0 ]]; then
    echo "Installing missing packages: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update && apt-get install -y "${missing[@]}"
  else
    echo "Missing Debian packages. Install them with:" >&2
    echo "  sudo apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
}

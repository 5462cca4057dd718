# Installs the Debian packages the build needs, when they are missing.
# Sourced by the build and test scripts.

draivo_packages=(cmake g++ make libgtest-dev libgmock-dev qt6-base-dev qt6-translations-l10n xvfb libgl-dev clang-14 libclang-rt-14-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev python3-jsonschema)

# The checks of the install rules and the Debian package (scripts/check-package.sh).
draivo_packages+=(dpkg-dev lintian desktop-file-utils appstream man-db groff-base file shared-mime-info libglib2.0-bin)

install_deps() {
  local missing=()
  for p in "${draivo_packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

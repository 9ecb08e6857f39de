# Debian packages the project needs; sourced by scripts/run, scripts/test and scripts/fuzz.
BUILD_PACKAGES="cmake g++ make pkg-config libjpeg62-turbo-dev zlib1g-dev libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev libgl-dev"
# Qt's German texts for the standard dialogs (file, print, colour, font), loaded at start.
BUILD_PACKAGES="$BUILD_PACKAGES qt6-translations-l10n"
# Debian's clang with its libFuzzer runtime, for the targets of fuzz/ (scripts/fuzz).
FUZZ_PACKAGES="clang libclang-rt-14-dev"
# Independent tools the tests compare against, and the public-domain fonts they convert.
TEST_PACKAGES="hershey-fonts-data netpbm imagemagick libtiff-tools libjpeg-turbo-progs $FUZZ_PACKAGES"
# The PNG fixtures split their image data with pngcrush.
TEST_PACKAGES="$TEST_PACKAGES pngcrush"
# Window tests: a real X server for the screenshot test, a font, PDF text and pictures.
TEST_PACKAGES="$TEST_PACKAGES xvfb xauth fonts-dejavu-core poppler-utils"

# ensure_packages PKG...: installs whichever of PKG is missing (apt-get update first).
ensure_packages() {
  local missing=()
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
}

JOBS=$(nproc 2>/dev/null || echo 2)

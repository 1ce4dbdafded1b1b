# Debian 12 packages the project needs; sourced by run.sh and test.sh.
ZR50_PACKAGES="build-essential cmake ninja-build pkg-config qt6-base-dev qt6-serialport-dev \
libgl-dev libasound2-dev libgtest-dev googletest clang libclang-rt-14-dev fonts-noto-cjk \
qt6-qpa-plugins qt6-translations-l10n"

zr50_install_packages() {
    local missing=""
    for p in $ZR50_PACKAGES; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
    done
    [ -z "$missing" ] && return 0
    echo "Installing:$missing"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
}

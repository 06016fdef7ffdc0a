# Sourced by the run and test commands: installs the Debian packages they need.
# As root it installs what is missing; otherwise it prints the exact command and stops.

# Building and running the program: the toolchain, Qt 6 Widgets, Svg, Charts (the pass view)
# and Network, libcurl for veskar-decode --send, and the Japanese font that stands in for the
# dialog font; scdoc makes the manual pages; Qt's translation tools (lupdate, lrelease and
# their CMake functions) and Qt's own translations.
build_packages=(cmake g++ make qt6-base-dev qt6-svg-dev qt6-charts-dev libcurl4-openssl-dev
                qt6-tools-dev qt6-l10n-tools qt6-translations-l10n fonts-ipafont-gothic scdoc)
# veskar-cw: audio files through libsndfile, FFTs through KissFFT, both found by pkg-config.
build_packages+=(pkg-config libsndfile1-dev libkissfft-dev)
# The Recording window plays a frame's stretch of a recording through Qt Multimedia.
build_packages+=(qt6-multimedia-dev)
# Building and running the tests and benchmarks, and checking the package.
# clang and its runtimes build the sanitized tests and the fuzz targets; lintian checks the
# package; Qt's private headers let the accessibility test switch accessibility on as a
# screen reader would.
test_packages=(libgtest-dev libbenchmark-dev nlohmann-json3-dev desktop-file-utils appstream
               dpkg-dev file clang libclang-rt-14-dev lintian qt6-base-private-dev)
# The screen-reader run of scripts/orca_pass.sh, not part of the test command.
orca_packages=(orca at-spi2-core dbus-x11 xvfb xdotool openbox)

ensure_packages() {
    local missing=() package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update
        apt-get install -y "${missing[@]}"
    else
        echo "Veskar needs these Debian packages, which are not installed: ${missing[*]}" >&2
        echo "Install them with:" >&2
        echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
}

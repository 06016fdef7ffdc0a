#!/usr/bin/env bash
# Runs test functions of a Qt test as the user nobody: some cases (a folder that refuses new
# files) cannot happen to root, which CI runs as. Exits 77 (skipped) where that cannot be done.
set -euo pipefail
binary=$1
shift
if [ "$(id -u)" -ne 0 ]; then
    echo "Not root: the test itself runs these cases as $(id -un)."
    exit 77
fi
as_nobody=(setpriv --reuid=65534 --regid=65534 --clear-groups)
if ! "${as_nobody[@]}" test -x "$binary"; then
    echo "The user nobody cannot run $binary (a folder on its path is closed to others)."
    exit 77
fi
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
chown 65534:65534 "$home"
chmod 700 "$home"
cd "$home"
"${as_nobody[@]}" env HOME="$home" TMPDIR="$home" XDG_RUNTIME_DIR="$home" \
    QT_QPA_PLATFORM=offscreen "$binary" "$@"

#!/usr/bin/env bash
# ./run.sh [client|server_edit]: installs what is missing, builds, and starts
# the program (DLK_client by default) in the current folder, where it keeps
# its files. Without a display, Qt's offscreen platform is used.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" build

program=${1:-client}
case "$program" in
    client) binary="$root/build/client/DLK_client" ;;
    server_edit) binary="$root/build/server_edit/DLK_server_edit" ;;
    *) echo "usage: ./run.sh [client|server_edit]" >&2; exit 2 ;;
esac
if [ ! -x "$binary" ]; then
    echo "$(basename "$binary") is not built yet: no program runs."
    exit 0
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
fi
exec "$binary"

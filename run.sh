#!/usr/bin/env bash
# ./run.sh [client|server_edit|config]: installs what is missing, builds, and starts
# the program (DLK_client by default) in the current folder, where it keeps
# its files. Without a display, Qt's offscreen platform is used.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/install-deps.sh"

program=${1:-client}
case "$program" in
    client) name=DLK_client; binary="$root/build/client/DLK_client" ;;
    server_edit) name=DLK_server_edit; binary="$root/build/server_edit/DLK_server_edit" ;;
    config) name=DLK_config; binary="$root/build/config/DLK_config" ;;
    *) echo "usage: ./run.sh [client|server_edit|config]" >&2; exit 2 ;;
esac
echo "Building $name..."
"$root/scripts/build.sh" build --target "$name" >/dev/null
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
fi
exec "$binary"

#!/usr/bin/env bash
# Installs what is needed, builds the program and starts it on the sample project.
# Without a display it says so and runs the command-line calculation instead.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages
build_project -DLUMIVAR_BENCH=OFF

SAMPLE="$ROOT/data/samples/Escritorio.prj"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$BUILD/src/app/lumivar" "$SAMPLE" "$@"
fi
echo "No display available: showing the command-line calculation of the sample project instead."
exec "$BUILD/src/cli/lumivar-cli" calc "$SAMPLE" -o "$BUILD/Escritorio-calculado.prj"

#!/usr/bin/env bash
# Sets up the machine, builds the stand-in host, the plug-in module and the
# tools, registers the module into registry/ inside the checkout, and then
#  - with a display: opens the host on a scene of the project's own pictures
#    with Tintora loaded (pick an object, then Tools > Tintora);
#  - without one (or with --headless): runs scripts/demo.tscript, which applies
#    a chain of effects through the real tools dialog and writes screenshots
#    and pictures into out/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
headless=no
[ "${1:-}" = "--headless" ] && headless=yes
bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j "$(nproc)" --target tarsel-host voksletrastel regsvr tintora

build=$root/build
export TARSEL_REGISTRY=$root/registry
# Installed as a host would have it: the module in a folder of its own, and
# beside that folder the data folder "tintora" for presets and crop
# selections, which the plug-in uses but never creates.
install=$build/install
mkdir -p "$install/module" "$install/tintora"
cp "$build/control/module/VOKSLETRASTEL.OCX" "$install/module/"
"$build/apps/regsvr/regsvr" "$install/module/VOKSLETRASTEL.OCX"
echo "registered $install/module/VOKSLETRASTEL.OCX in $TARSEL_REGISTRY"

out=$root/out
mkdir -p "$out"
"$build/apps/tintora/tintora" sample "$out/sample.png" >/dev/null
"$build/apps/tintora/tintora" apply grayscale "$out/sample.png" "$out/matte.png" >/dev/null

host=$build/apps/tarsel-host/tarsel-host
plugin=Pellux.VOKSlet.RastelCtrl.1
cd "$root"
if [ "$headless" = no ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    # The scene is made by a short script, then opened for the operator.
    printf 'add out/sample.png 150 110 badge\nadd out/sample.png 150 400 copy\nsave-scene out/sample.tscene\n' \
        >"$out/sample-scene.tscript"
    QT_QPA_PLATFORM=offscreen "$host" --script "$out/sample-scene.tscript" >/dev/null
    echo "opening the host: select an object, then Tools > Tintora"
    exec "$host" --plugin "$plugin" "$out/sample.tscene"
fi
QT_QPA_PLATFORM=offscreen "$host" --plugin "$plugin" --script scripts/demo.tscript
echo "screenshots and pictures in $out"

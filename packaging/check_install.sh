#!/bin/sh
# Installs the portable directory and the .deb's files into a temporary
# directory and checks them: the exact file lists, the .deb's launcher
# started twice in a row in a fresh HOME (the window must still be running
# after a few seconds each time; needs a display), and the desktop entry
# that add-to-menu writes.
#   check_install.sh BUILD_DIR
set -eu
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

listing() { (cd "$1" && find . \( -type f -o -type d -empty \) | grep -v '/locale/' | sort); }
expect() {
    printf '%s\n' "$@" | sort > "$tmp/expected"
    diff -u "$tmp/expected" "$tmp/actual" || fail "installed files differ from the list"
}

cmake --install "$build" --prefix "$tmp/portable" --component app >/dev/null
cmake --install "$build" --prefix "$tmp/portable" --component share >/dev/null
listing "$tmp/portable" > "$tmp/actual"
expect ./arbrel ./arbrel-cli ./add-to-menu ./README.md ./LICENSE \
    ./data/maps/demo.csv ./data/models/grass.csv ./data/models/rocks.csv \
    ./data/models/shrubs.csv ./data/models/trees.csv \
    ./samples/install/map_source/mp_demo.map ./samples/install/Docs/model_pics \
    ./share/icons/hicolor/scalable/apps/arbrel.svg ./share/icons/hicolor/48x48/apps/arbrel.png \
    ./share/man/man1/arbrel.1 ./share/man/man1/arbrel-cli.1

DESTDIR="$tmp/deb" cmake --install "$build" --component deb >/dev/null
listing "$tmp/deb" > "$tmp/actual"
expect ./usr/bin/arbrel ./usr/bin/arbrel-cli ./usr/lib/arbrel/arbrel ./usr/lib/arbrel/arbrel-cli \
    ./usr/share/arbrel/data/maps/demo.csv ./usr/share/arbrel/data/models/grass.csv \
    ./usr/share/arbrel/data/models/rocks.csv ./usr/share/arbrel/data/models/shrubs.csv \
    ./usr/share/arbrel/data/models/trees.csv \
    ./usr/share/arbrel/samples/install/map_source/mp_demo.map \
    ./usr/share/arbrel/samples/install/Docs/model_pics \
    ./usr/share/applications/arbrel.desktop \
    ./usr/share/icons/hicolor/scalable/apps/arbrel.svg ./usr/share/icons/hicolor/48x48/apps/arbrel.png \
    ./usr/share/man/man1/arbrel.1.gz ./usr/share/man/man1/arbrel-cli.1.gz \
    ./usr/share/doc/arbrel/copyright ./usr/share/doc/arbrel/changelog.gz ./usr/share/doc/arbrel/README.md

# The launchers, pointed at the temporary installation.
for launcher in arbrel arbrel-cli; do
    sed -e "s|/usr/lib/arbrel|$tmp/deb/usr/lib/arbrel|g" -e "s|/usr/share/arbrel|$tmp/deb/usr/share/arbrel|g" \
        "$tmp/deb/usr/bin/$launcher" > "$tmp/$launcher"
    chmod +x "$tmp/$launcher"
done
mkdir "$tmp/home"
HOME=$tmp/home XDG_DATA_HOME= "$tmp/arbrel-cli" textures --install-dir "$tmp/deb/usr/share/arbrel/samples/install" \
    --map-class demo mp_demo > "$tmp/report" || fail "arbrel-cli launcher without a user data directory"
grep -q '^ground_grass_field .* yes$' "$tmp/report" || fail "arbrel-cli launcher: no demo classes"
if [ -n "${DISPLAY:-}" ]; then
    for start in first second; do
        status=0
        HOME=$tmp/home XDG_DATA_HOME= timeout 5 "$tmp/arbrel" || status=$?
        [ "$status" -eq 124 ] || fail "the window did not keep running on the $start start (exit $status)"
    done
    [ -f "$tmp/home/.local/share/arbrel/data/maps/demo.csv" ] || fail "the user's data directory was not seeded"
    [ -z "$(ls -A "$tmp/home/.local/share/arbrel" | grep -v '^data$')" ] || fail "stray files beside data"
    [ ! -e "$tmp/deb/usr/lib/arbrel/data" ] || fail "the window did not take --data-dir"
else
    echo "no DISPLAY: the window's launcher is not started"
fi

HOME=$tmp/home XDG_DATA_HOME= "$tmp/portable/add-to-menu" >/dev/null
entry=$tmp/home/.local/share/applications/arbrel.desktop
grep -qx "Exec=\"$tmp/portable/arbrel\"" "$entry" || fail "add-to-menu: wrong Exec line"
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$entry"; fi
echo "ok"

#!/bin/sh
# The Debian package as a player gets it: made by cpack from this build,
# lintian-clean (no error, no warning), its control data, changelog and
# desktop files checked, unpacked into a scratch root that is
# then made read-only, and started from there by a user who cannot write to
# it. The game must reach its title and unpack its levels into that user's
# data folder (~/.local/share/tarnwick/), leaving the program folder alone.
#
# usage: package_test.sh BUILD_DIR SIM WINDOW_TEST RECORDING
set -eu
build=$1 sim=$2 window_test=$3 recording=$4
scratch=$(mktemp -d)
trap 'chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log"
    fail "cpack could not make the package"
fi
deb=$(echo "$scratch"/out/tarnwick_*.deb)
[ -f "$deb" ] || fail "no package in $scratch/out"
echo "package: $(basename "$deb"), $(du -k "$deb" | cut -f1) KiB"

# Debian's own checker: informational tags are shown, an error or a warning
# fails the test.
command -v lintian >/dev/null || fail "lintian is not installed (make deps installs it)"
lintian --display-info --fail-on error,warning "$deb" || fail "lintian reports errors or warnings"

depends=$(dpkg-deb -f "$deb" Depends)
for library in libsdl2-2.0-0 libsdl2-ttf-2.0-0 libsdl2-mixer-2.0-0 libzip4 libjpeg62-turbo \
               libcurl4 libavformat59 libavcodec59 libswresample4 libswscale6 libfontconfig1 \
               fonts-liberation2 fonts-dejavu-core; do
    case ", $depends," in *", $library"[\ ,]*) ;; *) fail "Depends lacks $library: $depends" ;; esac
done

root=$scratch/root
dpkg-deb -x "$deb" "$root"
program=$root/usr/lib/tarnwick
[ "$(readlink "$root/usr/games/tarnwick")" = ../lib/tarnwick/tarnwick ] ||
    fail "usr/games/tarnwick is not the link to the program folder"
for shipped in tarnwick level.zip engine1.wav "Pelwyn-Skyrush 2k4_64.wma"; do
    [ -s "$program/$shipped" ] || fail "the program folder lacks $shipped"
done

# lintian reads the changelog's form but not whether its newest entry is this
# version by this maintainer: a version raised without an entry is caught here.
zcat "$root/usr/share/doc/tarnwick/changelog.gz" >"$scratch/changelog"
for field in Version Maintainer; do
    entry=$(dpkg-parsechangelog -l "$scratch/changelog" -S $field)
    [ "$entry" = "$(dpkg-deb -f "$deb" $field)" ] ||
        fail "the changelog's newest entry has $field $entry, the package $(dpkg-deb -f "$deb" $field)"
done

# lintian asks groff for macro warnings only; a bad number or an unknown
# escape in a manual page would pass it and still show wrong.
for page in tarnwick tarnwick-pack tarnwick-pack-new tarnwick-pack-check tarnwick-pack-build \
            tarnwick-pack-fly tarnwick-video; do
    manual=$root/usr/share/man/man6/$page.6.gz
    [ -s "$manual" ] || fail "no manual page $manual"
    groff_warnings=$(zcat "$manual" | groff -man -Tutf8 -ww -z 2>&1)
    [ -z "$groff_warnings" ] || fail "groff warns about $page.6: $groff_warnings"
done

# The makers' tool: on the PATH, beside the simulator and the autopilot it
# flies with, and able to check the sample pack where the package put it.
[ "$(readlink "$root/usr/games/tarnwick-pack")" = ../lib/tarnwick/tarnwick-pack ] ||
    fail "usr/games/tarnwick-pack is not the link to the program folder"
for tool in tarnwick-sim autopilot; do
    [ -x "$program/$tool" ] || fail "the program folder lacks $tool"
done
"$root/usr/games/tarnwick-pack" check "$root/usr/share/doc/tarnwick/examples/training-caves.tarnwick" \
    >"$scratch/check.log" 2>&1 || { cat "$scratch/check.log"; fail "the sample pack fails its checks"; }

# The video maker: on the PATH, and able to turn a recording into a video
# with the game files of the program folder.
[ "$(readlink "$root/usr/games/tarnwick-video")" = ../lib/tarnwick/tarnwick-video ] ||
    fail "usr/games/tarnwick-video is not the link to the program folder"
TARNWICK_DATA_DIR="$scratch/video-data" "$root/usr/games/tarnwick-video" --scale 1 "$recording" \
    "$scratch/flight.webm" >"$scratch/video.log" 2>&1 && [ -s "$scratch/flight.webm" ] ||
    { cat "$scratch/video.log"; fail "the installed tarnwick-video makes no video"; }

desktop=$(echo "$root"/usr/share/applications/*.desktop)
id=$(basename "$desktop" .desktop)
desktop-file-validate "$desktop" || fail "$desktop is not a valid desktop entry"
grep -qx "Exec=tarnwick %f" "$desktop" && grep -qx "Icon=$id" "$desktop" ||
    fail "the desktop entry does not start tarnwick with the icon $id"
# A file manager opens a mission pack with the game: the entry takes a file of
# the pack type, known by its name and as a kind of ZIP.
grep -qx "MimeType=application/x-tarnwick-pack;" "$desktop" ||
    fail "the desktop entry does not open mission packs"
cp -r "$root/usr/share/mime" "$scratch/mime"
update-mime-database "$scratch/mime" || fail "the pack type does not build into a MIME database"
grep -qx 'application/x-tarnwick-pack:\*.tarnwick' "$scratch/mime/globs" &&
    grep -qx 'application/x-tarnwick-pack application/zip' "$scratch/mime/subclasses" ||
    fail "the MIME database does not know *.tarnwick as a kind of ZIP"
metainfo=$root/usr/share/metainfo/$id.metainfo.xml
appstreamcli validate --no-net "$metainfo" || fail "$metainfo does not validate"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $id.desktop"
for size in 48 64 128 256; do
    icon=$root/usr/share/icons/hicolor/${size}x$size/apps/$id.png
    file "$icon" | grep -q "PNG image data, $size x $size, 8-bit/color RGBA" ||
        fail "no transparent $size-pixel icon: $(file "$icon")"
done

# Read-only for its user: file modes for an ordinary user, and for root
# (which ignores them) a user of no privileges runs the game.
shipped=$(ls "$program")
chmod -R a-w "$root"
chmod 755 "$scratch"
home=$scratch/home
mkdir "$home"
if [ "$(id -u)" = 0 ]; then
    user=nobody
    chown "$user" "$home"
    set -- --user "$user"
else
    set --
fi
env -u XDG_DATA_HOME -u TARNWICK_DATA_DIR HOME="$home" \
    python3 "$window_test" "$root/usr/games/tarnwick" "$sim" --title-only --installed "$@"

data=$home/.local/share/tarnwick
for picture in level0_big.jpg level9_big.jpg level_Main.jpg Level_hs.jpg; do
    [ -s "$data/$picture" ] || fail "the level archive was not unpacked into $data"
done
[ "$(ls "$program")" = "$shipped" ] || fail "the game wrote into its program folder: $(ls "$program")"
echo "installed game ran from a read-only prefix with its data in ~/.local/share/tarnwick"

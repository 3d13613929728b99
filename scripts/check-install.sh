#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian, installs the program
# into a staging folder and checks the layout, the manual page, the desktop
# files and the installed program itself:
# it must find its palettes and icons under share/quillet2 and keep its
# settings in the user's configuration folder, never in its prefix.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/package.sh

fail() { echo "check-install: $*" >&2; exit 1; }

deb=$(ls build-package/quillet2_*.deb)
# dpkg-shlibdeps worked when the Qt libraries appear among the dependencies.
depends=$(dpkg-deb -f "$deb" Depends)
[[ "$depends" == *libqt6widgets6* ]] || fail "no library dependencies in $deb: $depends"
# librsvg is opened only when an SVG is read, so the package names it itself;
# linked, its thirty libraries would be loaded at every start.
[[ "$depends" == *librsvg2-2* ]] || fail "$deb does not depend on librsvg2-2: $depends"
if readelf -d build-package/bin/quillet2 | grep -q 'NEEDED.*librsvg'; then
  fail "the program is linked with librsvg, which it should open only for an SVG"
fi
contents=$(dpkg-deb -c "$deb")
[[ "$contents" == *" ./usr/bin/quillet2"* ]] || fail "$deb holds no /usr/bin/quillet2"
# The long description is flowing text: a line that starts with two
# spaces would be shown verbatim.
if dpkg-deb -f "$deb" Description | tail -n +2 | grep -q '^  '; then
  fail "verbatim lines in the description of $deb"
fi
# The changelog's newest entry and the manual page are of this version.
package_version=$(dpkg-deb -f "$deb" Version)
changelog_version=$(dpkg-parsechangelog -l packaging/changelog -S Version)
[ "$changelog_version" = "$package_version" ] ||
  fail "packaging/changelog is at $changelog_version, the package at $package_version"
grep -q "^\.TH QUILLET2 1 .*\"Quillet2 $package_version\"" packaging/quillet2.1 ||
  fail "the manual page is not of version $package_version"
# Debian's own package checker: any error or warning fails the check.
lintian_report=$(lintian --fail-on error,warning "$deb") || {
  echo "$lintian_report" >&2
  fail "lintian finds fault with $deb"
}
[ -z "$(grep -E '^[EW]: ' <<<"$lintian_report")" ] || fail "lintian: $lintian_report"

work=$(mktemp -d /tmp/quillet2-install-XXXXXX)
trap 'rm -rf "$work"' EXIT
stage="$work/stage"
DESTDIR="$stage" cmake --install build-package --prefix /usr >/dev/null
prefix="$stage/usr"
expected=(
  bin/quillet2
  share/quillet2/default2.qpl share/quillet2/default16.qpl share/quillet2/default256.qpl
  share/quillet2/ICON/FILE0.ico share/quillet2/ICON/PEN0.ico share/quillet2/ICON/tab.ico share/quillet2/ICON/quillet2.ico
  share/quillet2/translations/quillet2_en.qm
  share/applications/org.quillet2.quillet2.desktop
  share/mime/packages/quillet2.xml
  share/metainfo/org.quillet2.quillet2.metainfo.xml
  share/icons/hicolor/16x16/apps/quillet2.png share/icons/hicolor/32x32/apps/quillet2.png
  share/icons/hicolor/48x48/apps/quillet2.png share/icons/hicolor/64x64/apps/quillet2.png
  share/man/man1/quillet2.1.gz
  share/doc/quillet2/copyright share/doc/quillet2/changelog.gz
)
for file in "${expected[@]}"; do
  [ -f "$prefix/$file" ] || fail "missing after install: /usr/$file"
done
[ -x "$prefix/bin/quillet2" ] || fail "/usr/bin/quillet2 is not executable"
[ ! -e "$prefix/bin/default16.qpl" ] && [ ! -e "$prefix/bin/ICON" ] || fail "data files installed beside the program"

desktop-file-validate "$prefix/share/applications/org.quillet2.quillet2.desktop"
# Files opened together from a file manager go to one program.
grep -qx 'Exec=quillet2 %F' "$prefix/share/applications/org.quillet2.quillet2.desktop" ||
  fail "the desktop entry does not pass several files to one program"
appstreamcli validate --pedantic --no-net "$prefix/share/metainfo/org.quillet2.quillet2.metainfo.xml"

# Help and version need no display.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/quillet2" --version)
[ "$version" = "Quillet2 Ver 0.26β" ] || fail "unexpected --version: $version"
# The installed program finds its English texts.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/quillet2" --lang en --help |
  grep -q "Language of the user interface" || fail "no English help from the installed program"
# The manual page names every option that --help lists.
manual=$(man -l "$prefix/share/man/man1/quillet2.1.gz") || fail "man cannot show the manual page"
options=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/quillet2" --lang en --help |
  grep -oE '^ +-[^ ].*' | grep -oE '(^| )--?[[:alnum:]?][[:alnum:]-]*' | tr -d ' ' | sort -u)
[ "$(wc -l <<<"$options")" -ge 9 ] || fail "too few options read from --help: $options"
while read -r option; do
  grep -qwF -- "$option" <<<"$manual" || fail "the manual page does not name $option"
done <<<"$options"
for section in "EXIT STATUS" ENVIRONMENT FILES QUILLET2_LANG quillet2.ini default16.qpl; do
  grep -qF -- "$section" <<<"$manual" || fail "the manual page has no $section"
done

# The installed program, run from the staging prefix with a configuration
# folder of its own: nothing may be written into the prefix.
touch "$work/before"
mkdir -p "$work/home"
HOME="$work/home" XDG_CONFIG_HOME="$work/config" \
  xvfb-run -a -s "-screen 0 1280x1024x24" scripts/drive-installed.sh "$prefix/bin/quillet2" "$work"
[ -f "$work/config/quillet2/quillet2.ini" ] || fail "no settings in XDG_CONFIG_HOME"
grep -q '^siz_x=' "$work/config/quillet2/quillet2.ini" || fail "settings file without the window keys"
# Under a window manager the window opens where and as large as it closed.
XDG_CONFIG_HOME="$work/place" HOME="$work/home" \
  scripts/check-window-place.sh "$prefix/bin/quillet2" "$work/place/quillet2/quillet2.ini" 5
written=$(find "$stage" -newer "$work/before" -print)
[ -z "$written" ] || fail "the installed program wrote into its prefix: $written"
echo "check-install: package (lintian: no error or warning), layout, manual page, desktop files and the installed program are fine"

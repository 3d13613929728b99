#!/usr/bin/env bash
# Installs the Debian packages the program and its tests need, when missing.
set -euo pipefail
packages=(g++ cmake make qt6-base-dev qt6-translations-l10n qt6-l10n-tools qt6-tools-dev libgtest-dev libbenchmark-dev
          fonts-ipafont-gothic fonts-ipafont-mincho xvfb xauth xclip pkg-config libxcb1-dev
          # SVG import: librsvg renders the drawings (zlib unpacks .svgz), and
          # its rsvg-convert is what the tests compare the renders with.
          librsvg2-dev zlib1g-dev librsvg2-bin
          # Packaging and its checks: cpack's dependency scan, gzip for the
          # manual page and changelog, the desktop file validators, and
          # driving the installed program under Xvfb, with a window manager
          # for the check of the window's place.
          dpkg-dev gzip file desktop-file-utils appstream xdotool x11-utils openbox
          # Debian's package checker, and man to show the manual page.
          lintian man-db
          # Debian artwork the import benchmark makes its pictures from.
          adwaita-icon-theme
          # The command-line tests list written icons and cursors with icotool;
          # libXcursor reads the X11 cursor files back.
          icoutils libxcursor-dev
          # An independent decoder, Pillow, reads edited 32-bit icons back.
          python3-pil
          # The start-up benchmark presses keys through XTest.
          libxtst-dev
          # The program reads the font configuration early through fontconfig
          # itself (it comes with Qt).
          libfontconfig-dev

          # Access lists and extended attributes for the tests of saving.
          acl attr
          # The fuzz targets: clang with libFuzzer. lld links every build,
          # above all the large sanitized test programs, in a fraction of the
          # default linker's time.
          clang libclang-rt-14-dev lld
          # Ninja builds the test, package and fuzz trees: it starts a
          # target's files while the libraries it links are still building,
          # which keeps both cores busy where make waits.
          ninja-build)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi

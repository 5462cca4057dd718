#!/usr/bin/env bash
# Checks the install rules and the Debian package of a finished build:
#   1. installs into a staging folder and compares the installed files with the expected set;
#   2. validates the desktop entry, the AppStream metainfo and the manual pages, and checks
#      that the file type of NC programs tells a text .nc file from NetCDF data;
#   3. makes the .deb with CPack, checks its dependencies and runs lintian on it;
#   4. only with DRAIVO_REAL_INSTALL=1 and as root, meant for a throw-away machine (CI sets
#      it): installs the package with apt, checks it and removes it again, leaving nothing.
#
#   scripts/check-package.sh [BUILD_FOLDER]     default build/full (built with the window)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/full}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "check-package: $*" >&2
  failures=$((failures + 1))
}

app=nl.draivo.Draivo
version=$(sed -n 's/^project(Draivo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
expected_files() {
  printf '%s\n' bin/draivo bin/draivo-sim \
    share/applications/$app.desktop share/metainfo/$app.metainfo.xml \
    share/mime/packages/$app.xml share/icons/hicolor/scalable/apps/$app.svg \
    share/man/man1/draivo.1.gz share/man/man1/draivo-sim.1.gz \
    share/doc/draivo/copyright share/doc/draivo/changelog.gz
  for size in 16 22 24 32 48 64 128 256; do
    echo "share/icons/hicolor/${size}x${size}/apps/$app.png"
  done
}
expected_files | sort >"$work/expected"

echo "== install rules"
stage=$work/stage/usr
cmake --install "$build" --prefix "$stage" >/dev/null
(cd "$stage" && find . -type f -printf '%P\n' | sort) >"$work/installed"
diff -u "$work/expected" "$work/installed" || fail "the installed files differ from the expected set"
for size in 16 22 24 32 48 64 128 256; do
  png=$stage/share/icons/hicolor/${size}x${size}/apps/$app.png
  [ "$(file -b "$png" | grep -o '[0-9]* x [0-9]*')" = "$size x $size" ] || fail "$png is not ${size}x${size}"
done

echo "== desktop entry, metainfo, manual pages"
desktop-file-validate "$stage/share/applications/$app.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$stage/share/metainfo/$app.metainfo.xml" || fail "appstreamcli validate"
grep -q "<release version=\"$version\"" "$stage/share/metainfo/$app.metainfo.xml" ||
  fail "the metainfo has no release $version"
for page in draivo draivo-sim; do
  file=$stage/share/man/man1/$page.1.gz
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$file" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page.1: $warnings"
  lexgrog "$file" >/dev/null || fail "$page.1 has no NAME section whatis can read"
  zgrep -q "\"Draivo $version\"" "$file" || fail "$page.1 is not of version $version"
done
mime_type=$(sed -n 's/^MimeType=\([^;]*\);$/\1/p' "$stage/share/applications/$app.desktop")
grep -q "<mediatype>$mime_type</mediatype>" "$stage/share/metainfo/$app.metainfo.xml" ||
  fail "the metainfo does not provide $mime_type"

# The file type against the system's database: a text .nc file is an NC program, NetCDF
# data with the same extension stays NetCDF.
mkdir -p "$work/mime/mime/packages" "$work/files"
cp /usr/share/mime/packages/freedesktop.org.xml "$stage/share/mime/packages/$app.xml" "$work/mime/mime/packages/"
update-mime-database "$work/mime/mime" >/dev/null 2>&1 || fail "update-mime-database"
printf 'O0001 ;\nG00 X20 Z2 ;\nM30 ;\n' >"$work/files/shaft.nc"
printf 'CDF\001\000\000\000\000' >"$work/files/data.nc"
type_of() { XDG_DATA_HOME=$work/none XDG_DATA_DIRS=$work/mime gio info -a standard::content-type "$1" | sed -n 's/.*content-type: //p'; }
[ "$(type_of "$work/files/shaft.nc")" = "$mime_type" ] || fail "a text .nc file is not $mime_type"
[ "$(type_of "$work/files/data.nc")" = application/x-netcdf ] || fail "NetCDF data is taken for $mime_type"

echo "== Debian package"
rm -f "$build"/draivo_*.deb
(cd "$build" && cpack -G DEB >"$work/cpack.log") || { cat "$work/cpack.log" >&2; fail "cpack"; }
deb=$(ls "$build"/draivo_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libqt6printsupport6 qt6-translations-l10n; do
  [[ ",$depends" == *", $needed"* || "$depends" == "$needed"* ]] || fail "the package does not depend on $needed"
done
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {sub(/^\.\/usr\//, "", $6); print $6}' | sort >"$work/packaged"
diff -u "$work/expected" "$work/packaged" || fail "the package holds other files than the install rules"
lintian --fail-on error "$deb" || fail "lintian reports errors"

if [ "${DRAIVO_REAL_INSTALL:-0}" = 1 ]; then
  echo "== install and remove the package for real"
  if [ "$(id -u)" -ne 0 ]; then
    fail "DRAIVO_REAL_INSTALL=1 needs root"
  else
    # What the system holds besides the caches that the triggers of the desktop, icon and
    # file type databases rebuild.
    snapshot() {
      find /usr /etc /var/lib/dpkg/info -xdev \( -type f -o -type l \) 2>/dev/null |
        grep -v -e '/mimeinfo.cache$' -e '/icon-theme.cache$' -e '^/usr/share/mime/' | sort
    }
    snapshot >"$work/before"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$(realpath "$deb")" >"$work/apt.log" 2>&1 ||
      { cat "$work/apt.log" >&2; fail "apt-get install"; }
    dpkg -L draivo | while read -r path; do [ -f "$path" ] && echo "${path#/usr/}"; done | sort >"$work/dpkg-files"
    diff -u "$work/expected" "$work/dpkg-files" || fail "dpkg -L draivo lists other files"
    (cd / && draivo-sim --version) | grep -qx "draivo-sim $version" || fail "draivo-sim does not run"
    # The window starts (still running when the timeout ends it) and finds every library.
    (cd / && QT_QPA_PLATFORM=offscreen timeout 3 draivo >/dev/null 2>&1) && status=0 || status=$?
    [ "$status" -eq 124 ] || fail "draivo did not start (status $status)"
    [ "$(gio info -a standard::content-type "$work/files/shaft.nc" | sed -n 's/.*content-type: //p')" = "$mime_type" ] ||
      fail "the installed file type is not used"
    DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq draivo >>"$work/apt.log" 2>&1 ||
      { cat "$work/apt.log" >&2; fail "apt-get purge"; }
    snapshot >"$work/after"
    # Packages that apt brought in for draivo are left to the machine's owner.
    comm -13 "$work/before" "$work/after" | grep -e draivo -e "$app" && fail "removal left files behind"
    [ -e /usr/share/mime/text/x.nc-program.xml ] && fail "the file type outlives the package"
  fi
fi

if [ "$failures" -ne 0 ]; then
  echo "check-package: $failures failed" >&2
  exit 1
fi
echo "check-package: all checks passed"

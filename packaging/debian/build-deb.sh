#!/usr/bin/env bash
# Builds the Debian package OUT_DIR/ostrel_VERSION-REVISION_ARCH.deb from the native build, without
# network, and prints its path: the files are what `cmake --install` puts under the prefix /usr
# (so the package and the install rules cannot disagree), stripped, with the manual pages and the
# changelog compressed as Debian wants them, the copyright file, and Depends worked out by
# dpkg-shlibdeps.
#   packaging/debian/build-deb.sh OUT_DIR [NATIVE_BUILD]   (default build/native, already built)
set -euo pipefail

fail() {
  echo "$(basename "$0"): $*" >&2
  exit 1
}

[ $# -ge 1 ] && [ $# -le 2 ] || { echo "usage: $0 OUT_DIR [NATIVE_BUILD]" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=$(realpath -m "$1")
build=$(realpath -m "${2:-$root/build/native}")

[ -f "$build/CMakeCache.txt" ] || fail "$build: no native build; run scripts/build.sh native first"
[ -x "$build/shell/ostrel" ] || fail "$build/shell/ostrel: missing; build the native preset's ostrel target"
# The changelog's first entry names the package's version, as dpkg-parsechangelog reads it; its
# upstream part is the release's version.
version=$(sed -n '1s/^ostrel (\([^)]*\)).*/\1/p' "$here/changelog")
[ "${version%-*}" = "$(cat "$root/packaging/VERSION")" ] ||
  fail "$here/changelog: version $version is not the release's $(cat "$root/packaging/VERSION") with a revision"
arch=$(dpkg --print-architecture)
package=$out/ostrel_${version}_${arch}.deb

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# dpkg-shlibdeps wants the source package's control file in debian/ and the package's files in
# debian/PACKAGE, as a source package's build lays them out.
stage=$work/debian/ostrel
mkdir -p "$stage"
printf 'Source: ostrel\n\nPackage: ostrel\nArchitecture: any\n' >"$work/debian/control"

DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
programs=(usr/bin/psftool usr/libexec/xscreensaver/ostrel)
# As dh_strip strips programs: no symbols, and no compiler's comment either.
(cd "$stage" && strip --remove-section=.comment --remove-section=.note "${programs[@]}")
# The manual pages' headers name the release too.
for page in "$stage"/usr/share/man/man*/*; do
  grep -q "^\.TH .* \"Ostrel ${version%-*}\" " "$page" ||
    fail "$(basename "$page"): its .TH line does not name Ostrel ${version%-*}"
done
gzip -9n "$stage"/usr/share/man/man*/*
doc=$stage/usr/share/doc/ostrel
install -d "$doc"
install -m 0644 "$here/copyright" "$doc/copyright"
gzip -9n <"$here/changelog" >"$doc/changelog.Debian.gz"
# Files as a package carries them, whatever the umask of the build.
find "$stage" -type d -exec chmod 0755 {} +
find "$stage" -type f -exec chmod 0644 {} +
(cd "$stage" && chmod 0755 "${programs[@]}")

install -d "$stage/DEBIAN"
depends=$(cd "$work" && dpkg-shlibdeps -O "${programs[@]/#/debian/ostrel/}" | sed -n 's/^shlibs:Depends=//p')
[ -n "$depends" ] || fail "dpkg-shlibdeps found no libraries"
size=$(du -sk --apparent-size "$stage/usr" | cut -f1)

sed -e "s/@VERSION@/$version/" -e "s/@ARCH@/$arch/" -e "s/@SIZE@/$size/" -e "s/@DEPENDS@/$depends/" \
  "$here/control.in" >"$stage/DEBIAN/control"
(cd "$stage" && find usr -type f | sort | xargs md5sum) >"$stage/DEBIAN/md5sums"
chmod 0644 "$stage/DEBIAN/control" "$stage/DEBIAN/md5sums"

mkdir -p "$out"
dpkg-deb --root-owner-group -Zxz --build "$stage" "$package" >/dev/null
echo "$package"

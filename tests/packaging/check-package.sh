#!/usr/bin/env bash
# Builds the Debian package from the build folder $1 and checks that every file is where the
# desktop expects it and that the desktop file and the AppStream metainfo validate.
# Exit 77 (skipped) only when dpkg-deb is missing.
set -euo pipefail
build="$1"
if ! command -v dpkg-deb >/dev/null; then
  echo "SKIP: dpkg-deb is not installed, so no Debian package can be built or read"
  exit 77
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log"; exit 1; }
version="$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")"
deb="$work/burner-catalogue_${version}_amd64.deb"
[ -f "$deb" ] || { echo "no package named $(basename "$deb"):"; ls "$work"; exit 1; }

fail=0
info="$(dpkg-deb --info "$deb")"
for field in "Package: burner-catalogue" "Version: $version" "Architecture: amd64"; do
  grep -qF "$field" <<<"$info" || { echo "missing control field: $field"; fail=1; }
done
# dpkg-shlibdeps must have named the package of every library the program links.
depends="$(grep -E '^ Depends:' <<<"$info" || true)"
for dep in libqt6core6 libqt6widgets6 libplist libudev1; do
  grep -q "$dep" <<<"$depends" || { echo "Depends lacks $dep"; fail=1; }
done
for lib in $(objdump -p "$build/app/burner-catalogue" | awk '$1 == "NEEDED" {print $2}'); do
  # awk reads the whole list: an early exit would end ldconfig by SIGPIPE and fail the pipeline.
  path="$(ldconfig -p | awk -v l="$lib" '$1 == l && /x86-64/ && !p {p = $NF} END {print p}')"
  pkg="$({ dpkg -S "$path" || dpkg -S "$(readlink -f "$path")"; } 2>/dev/null | head -1 | cut -d: -f1 || true)"
  [ -n "$pkg" ] || continue
  grep -q "\b$pkg\b" <<<"$depends" || { echo "Depends lacks $pkg (for $lib)"; fail=1; }
done

contents="$(dpkg-deb --contents "$deb" | awk '{print $NF}')"
for path in \
  ./usr/bin/burner-catalogue \
  ./usr/share/applications/burner-catalogue.desktop \
  ./usr/share/icons/hicolor/scalable/apps/burner-catalogue.svg \
  ./usr/share/icons/hicolor/256x256/apps/burner-catalogue.png \
  ./usr/share/metainfo/io.github.burnercatalogue.metainfo.xml \
  ./usr/share/man/man1/burner-catalogue.1.gz \
  ./usr/share/burner-catalogue/DeviceSupport.drprofile \
  ./usr/share/burner-catalogue/simulated-drives.plist \
  ./usr/share/burner-catalogue/Contents/Info.plist \
  ./usr/share/doc/burner-catalogue/copyright; do
  grep -qxF "$path" <<<"$contents" || { echo "package lacks $path"; fail=1; }
done
if grep -E '^\./usr/(bin|lib)/' <<<"$contents" | grep -v -e '/$' -e '^./usr/bin/burner-catalogue$'; then
  echo "package holds executables or libraries beyond the program (listed above)"; fail=1
fi

root="$work/root"
dpkg-deb --extract "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/burner-catalogue.desktop" || fail=1
appstreamcli validate --no-net "$root/usr/share/metainfo/io.github.burnercatalogue.metainfo.xml" || fail=1
grep -q '<project_license>MIT</project_license>' "$root/usr/share/metainfo/io.github.burnercatalogue.metainfo.xml" \
  || { echo "metainfo names no MIT project licence"; fail=1; }
# The data folder is the program's bundle: its information dictionary carries the package's version.
python3 - "$root/usr/share/burner-catalogue/Contents/Info.plist" "$version" <<'PY' || fail=1
import plistlib, sys
with open(sys.argv[1], "rb") as f:
    info = plistlib.load(f)
problems = [key for key in ("CFBundleVersion", "CFBundleShortVersionString") if info.get(key) != sys.argv[2]]
types = info.get("CFBundleDocumentTypes", [])
if sorted(e for t in types for e in t.get("CFBundleTypeExtensions", [])) != ["drprofile", "plist"]:
    problems.append("CFBundleDocumentTypes")
if problems:
    sys.exit("Info.plist: wrong " + ", ".join(problems))
PY
file_type="$(head -c 8 "$root/usr/share/icons/hicolor/256x256/apps/burner-catalogue.png" | od -An -tx1 | tr -d ' \n')"
[ "$file_type" = 89504e470d0a1a0a ] || { echo "the 256 px icon is not a PNG"; fail=1; }
manual="$(zcat "$root/usr/share/man/man1/burner-catalogue.1.gz")"
grep -q '^\.SH EXIT STATUS' <<<"$manual" \
  || { echo "manual page lacks its exit status section"; fail=1; }
"$root/usr/bin/burner-catalogue" --version >/dev/null || { echo "packaged program does not run"; fail=1; }
# The program finds its data beside itself, wherever the package's tree lies.
help="$("$root/usr/bin/burner-catalogue" --help)"
grep -qF -- "--simulate $(readlink -f "$root")/usr/share/burner-catalogue/simulated-drives.plist" <<<"$help" \
  || { echo "packaged program does not name its own simulated drives"; fail=1; }

[ "$fail" -eq 0 ] && echo "package ok: $(basename "$deb")"
exit "$fail"

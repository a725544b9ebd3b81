#!/usr/bin/env bash
# Cross-builds build-windows/QZTestResult.exe, a self-contained 64-bit Windows
# program, with mingw-w64.
#
# RE2 has no Windows package in Debian, so it is built once from Debian's own
# source package of re2 (the version of the installed libre2-dev, so that both
# builds match lines alike) with the same toolchain, as a static library in
# build-windows-deps/prefix. The source comes through apt with a private
# source list and package lists in build-windows-deps/apt; the machine's apt
# configuration is not changed. Nothing but Debian packages is fetched.
# Running the script again only rebuilds the program.
set -euo pipefail
cd "$(dirname "$0")/.."

# dpkg-dev unpacks the source package; perl, python3, python3-six and
# unicode-data generate the tables that Debian's re2 source leaves out.
scripts/install-deps.sh mingw-w64 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
  dpkg-dev perl python3 python3-six unicode-data

root=$PWD
deps=$root/build-windows-deps
toolchain=$root/cmake/mingw-w64-x86_64.cmake

# Source entries ("deb-src") for the Debian archives the machine already uses.
write_source_list() {
  local list_dir=$1
  : >"$list_dir/sources.list"
  local file
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$file" ] || continue
    sed -n 's/^deb \(.*debian.*\)$/deb-src \1/p' "$file" >>"$list_dir/sources.list"
  done
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    awk 'BEGIN { RS = ""; ORS = "\n\n" }
         /URIs:[^\n]*debian/ && /Types:[^\n]*deb/ {
           out = ""
           n = split($0, lines, "\n")
           for (i = 1; i <= n; i++) {
             if (lines[i] ~ /^Types:/) lines[i] = "Types: deb-src"
             out = out lines[i] (i < n ? "\n" : "")
           }
           print out
         }' "$file" >"$list_dir/sources.list.d/$(basename "$file")"
  done
}

fetch_re2_source() {
  local apt_dir=$deps/apt
  mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache" "$deps/src"
  write_source_list "$apt_dir"
  local apt_options=(
    -o "Dir::Etc::SourceList=$apt_dir/sources.list"
    -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
    -o "Dir::State::Lists=$apt_dir/lists"
    -o "Dir::Cache=$apt_dir/cache"
    -o "APT::Sandbox::User=$(id -un)"
  )
  local version package=re2
  version=$(dpkg-query -W -f='${source:Version}' libre2-dev 2>/dev/null || true)
  [ -z "$version" ] || package="re2=$version"
  apt-get "${apt_options[@]}" -qq update
  (cd "$deps/src" &&
    { apt-get "${apt_options[@]}" -qq source "$package" ||
      { echo "$package could not be fetched; taking the archive's current re2" &&
        apt-get "${apt_options[@]}" -qq source re2; }; })
}

# The same table generation as Debian's own build of re2 (REBUILD_TABLES=1),
# from the machine's Unicode data.
generate_re2_tables() {
  cd "$1"
  perl re2/make_perl_groups.pl >re2/perl_groups.cc.new
  python3 re2/make_unicode_casefold.py >re2/unicode_casefold.cc.new
  python3 re2/make_unicode_groups.py >re2/unicode_groups.cc.new
  local table
  for table in perl_groups unicode_casefold unicode_groups; do
    mv "re2/$table.cc.new" "re2/$table.cc"
  done
  cd "$root"
}

build_re2() {
  # A source tree counts once it is unpacked and its tables are generated.
  if [ ! -f "$deps/src/complete" ]; then
    rm -rf "$deps/src"
    fetch_re2_source
    generate_re2_tables "$(find "$deps/src" -mindepth 1 -maxdepth 1 -type d -name 're2-*' -print -quit)"
    touch "$deps/src/complete"
  fi
  local source
  source=$(find "$deps/src" -mindepth 1 -maxdepth 1 -type d -name 're2-*' -print -quit)
  echo "== RE2 for Windows from $(basename "$source")"
  cmake -S "$source" -B "$deps/re2-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_SHARED_LIBS=OFF \
    -DRE2_BUILD_TESTING=OFF \
    -DCMAKE_INSTALL_PREFIX="$deps/prefix" >/dev/null
  cmake --build "$deps/re2-build"
  cmake --install "$deps/re2-build" >/dev/null
}

[ -f "$deps/prefix/lib/cmake/re2/re2Config.cmake" ] || build_re2

echo "== QZTestResult.exe"
cmake --preset windows >/dev/null
cmake --build --preset windows

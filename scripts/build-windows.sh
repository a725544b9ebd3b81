#!/usr/bin/env bash
# Cross-builds build-windows/QZTestResult.exe, a self-contained 64-bit Windows
# program, with mingw-w64, and beside it libpq.dll, which it loads only to
# import into a PostgreSQL server.
#
# RE2, PCRE2 and SQLite have no Windows packages in Debian, so each is built
# once from Debian's own source package (re2, pcre2, sqlite3; the version of
# the installed -dev package, so that both builds behave alike) with the same
# toolchain, as a static library in build-windows-deps/prefix. The sources
# come through apt with a private source list and package lists in
# build-windows-deps/apt; the machine's apt configuration is not changed.
# Nothing but Debian packages is fetched. Running the script again only
# rebuilds the program; an interrupted run resumes with what is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

# dpkg-dev unpacks the source packages; perl, python3, python3-six and
# unicode-data generate the tables that Debian's re2 source leaves out; tcl
# generates SQLite's single-file source.
scripts/install-deps.sh mingw-w64 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
  dpkg-dev perl python3 python3-six unicode-data tcl

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

apt_options=(
  -o "Dir::Etc::SourceList=$deps/apt/sources.list"
  -o "Dir::Etc::SourceParts=$deps/apt/sources.list.d"
  -o "Dir::State::Lists=$deps/apt/lists"
  -o "Dir::Cache=$deps/apt/cache"
  -o "APT::Sandbox::User=$(id -un)"
)
apt_updated=no

# Unpacks Debian's source package $1 into build-windows-deps/src/$1, in the
# version of the installed package $2 where the archive still has it.
fetch_source() {
  local package=$1 dev_package=$2 dir=$deps/src/$1
  if [ "$apt_updated" = no ]; then
    mkdir -p "$deps/apt/sources.list.d" "$deps/apt/lists/partial" "$deps/apt/cache"
    write_source_list "$deps/apt"
    apt-get "${apt_options[@]}" -qq update
    apt_updated=yes
  fi
  local installed version
  installed=$(dpkg-query -W -f='${source:Version}' "$dev_package" 2>/dev/null || true)
  # The installed version first, then every version the archive lists, newest
  # first: the mirror does not always hold the source of a security update.
  for version in $({ [ -z "$installed" ] || echo "$installed"
                     apt-cache "${apt_options[@]}" showsrc "$package" | sed -n 's/^Version: //p' |
                       sort -rV; } | awk '!seen[$0]++'); do
    rm -rf "$dir"
    mkdir -p "$dir"
    if (cd "$dir" && apt-get "${apt_options[@]}" -qq source "$package=$version"); then
      [ "$version" = "$installed" ] ||
        echo "$package ${installed:-(not installed)} could not be fetched; took $version"
      return 0
    fi
  done
  echo "no source of $package could be fetched" >&2
  return 1
}

# Fetches Debian's source package $1 (in the version of the installed $2) and
# prepares it with the function $3, unless that was done before. The tree
# counts only once it is unpacked and prepared, so an interrupted run starts
# it again.
prepare_source() {
  local package=$1 dev_package=$2 prepare=$3
  [ ! -f "$deps/src/$package/complete" ] || return 0
  fetch_source "$package" "$dev_package"
  "$prepare" "$(source_dir "$package")"
  touch "$deps/src/$package/complete"
}

source_dir() {
  find "$deps/src/$1" -mindepth 1 -maxdepth 1 -type d -print -quit
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
  prepare_source re2 libre2-dev generate_re2_tables
  local source
  source=$(source_dir re2)
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

# Debian's pcre2 source needs no preparation.
keep_source() { :; }

# The 8-bit library only, with JIT as in Debian's build; no pcre2grep, pcre2test
# or documentation.
build_pcre2() {
  prepare_source pcre2 libpcre2-dev keep_source
  local source
  source=$(source_dir pcre2)
  echo "== PCRE2 for Windows from $(basename "$source")"
  cmake -S "$source" -B "$deps/pcre2-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_SHARED_LIBS=OFF \
    -DBUILD_STATIC_LIBS=ON \
    -DPCRE2_BUILD_PCRE2_8=ON \
    -DPCRE2_BUILD_PCRE2_16=OFF \
    -DPCRE2_BUILD_PCRE2_32=OFF \
    -DPCRE2_SUPPORT_JIT=ON \
    -DPCRE2_BUILD_PCRE2GREP=OFF \
    -DPCRE2_BUILD_TESTS=OFF \
    -DCMAKE_INSTALL_PREFIX="$deps/prefix" >/dev/null
  cmake --build "$deps/pcre2-build"
  cmake --install "$deps/pcre2-build" >/dev/null
  rm -rf "$deps/prefix/man" "$deps/prefix/share/doc/pcre2"
  find "$deps/prefix/share" -depth -type d -empty -delete
}

# SQLite's single-file source (sqlite3.c), generated from Debian's full source
# tree with host tools, as its own build does.
generate_sqlite_amalgamation() {
  mkdir -p "$1/amalgamation"
  (cd "$1/amalgamation" && ../configure --disable-tcl >/dev/null && make sqlite3.c >/dev/null)
}

build_sqlite() {
  prepare_source sqlite3 libsqlite3-dev generate_sqlite_amalgamation
  local source
  source=$(source_dir sqlite3)
  echo "== SQLite for Windows from $(basename "$source")"
  local build=$deps/sqlite-build
  mkdir -p "$build" "$deps/prefix/include" "$deps/prefix/lib"
  x86_64-w64-mingw32-gcc-posix -O2 -c "$source/amalgamation/sqlite3.c" -o "$build/sqlite3.o"
  rm -f "$build/libsqlite3.a"
  x86_64-w64-mingw32-ar rcs "$build/libsqlite3.a" "$build/sqlite3.o"
  cp "$source/amalgamation/sqlite3.h" "$source/amalgamation/sqlite3ext.h" "$deps/prefix/include/"
  # The library last: its presence means SQLite is installed.
  cp "$build/libsqlite3.a" "$deps/prefix/lib/libsqlite3.a.new"
  mv "$deps/prefix/lib/libsqlite3.a.new" "$deps/prefix/lib/libsqlite3.a"
}

# libpq.dll, PostgreSQL's client library, which the program loads when a run
# imports into a server: from Debian's postgresql source package, configured
# for mingw without OpenSSL, GSSAPI, LDAP, readline and zlib; only the
# library and what it needs (src/port, src/common) are built. The headers
# that the program is built with come from the machine's libpq-dev.
build_libpq() {
  prepare_source "$(dpkg-query -W -f='${source:Package}' libpq-dev)" libpq-dev keep_source
  local source
  source=$(source_dir "$(dpkg-query -W -f='${source:Package}' libpq-dev)")
  echo "== libpq.dll for Windows from $(basename "$source")"
  local build=$deps/libpq-build
  rm -rf "$build"
  mkdir -p "$build"
  (cd "$build" &&
    "$source/configure" --host=x86_64-w64-mingw32 CC=x86_64-w64-mingw32-gcc-posix \
      --without-openssl --without-gssapi --without-ldap --without-readline --without-zlib \
      --without-icu --disable-nls >configure.log 2>&1 &&
    make -C src/interfaces/libpq -j"$(nproc)" >make.log 2>&1) ||
    { tail -n 30 "$build"/*.log >&2; return 1; }
  mkdir -p "$deps/prefix/bin"
  cp "$build/src/interfaces/libpq/libpq.dll" "$deps/prefix/bin/libpq.dll"
}

[ -f "$deps/prefix/lib/cmake/re2/re2Config.cmake" ] || build_re2
[ -f "$deps/prefix/cmake/pcre2-config.cmake" ] || build_pcre2
[ -f "$deps/prefix/lib/libsqlite3.a" ] || build_sqlite
[ -f "$deps/prefix/bin/libpq.dll" ] || build_libpq
mkdir -p "$deps/prefix/include/libpq"
cp /usr/include/postgresql/{libpq-fe.h,postgres_ext.h,pg_config_ext.h} "$deps/prefix/include/libpq/"

echo "== QZTestResult.exe"
cmake --preset windows >/dev/null
cmake --build --preset windows
# Where Windows looks first: beside the .exe.
cp "$deps/prefix/bin/libpq.dll" build-windows/libpq.dll

#!/bin/sh
# Builds the libraries the browser build links (SDL2, FreeType, zlib, libpng) for WebAssembly
# from Debian's own source packages, once per machine, into the cache folder named on the
# command line. The versions are those of the Linux build's -dev packages, so that both builds
# rasterise glyphs and decode pictures alike. The sources come through a source list of our own
# (the machine's apt sources stay as they are) and are checked against the checksums their .dsc
# lists before anything is unpacked.
set -eu
# Debian's emscripten finds its JavaScript parser only here.
export NODE_PATH=/usr/share/nodejs

cache=$(realpath -m "$1")
mkdir -p "$cache"
# Two clones building at once wait for each other instead of building over each other.
exec 9> "$cache/.lock"
flock 9
prefix="$cache/prefix"
apt_dir="$cache/apt"
mkdir -p "$prefix" "$apt_dir/lists/partial" "$cache/sources"

apt_options="-o Dir::Etc::SourceList=$apt_dir/sources.list -o Dir::Etc::SourceParts=/dev/null \
-o Dir::State::Lists=$apt_dir/lists -o Dir::Cache=$apt_dir/cache"

# The source package behind an installed binary package, and its upstream version.
source_of() {
  dpkg-query -W -f='${source:Package}' "$1"
}
upstream_of() {
  dpkg-query -W -f='${source:Version}' "$1" | sed 's/^[0-9]*://; s/-[^-]*$//'
}

# A version without its epoch, as file names carry it.
plain() {
  echo "$1" | sed 's/^[0-9]*://'
}

# Checks every file the .dsc names against its SHA-256 sum.
check_dsc() {
  dsc=$1
  sums=$(awk '/^Checksums-Sha256:/ {on=1; next} /^[^ ]/ {on=0} on && NF == 3 {print $1 "  " $3}' "$dsc")
  [ -n "$sums" ] || { echo "error: $dsc lists no SHA-256 sums" >&2; exit 1; }
  (cd "$(dirname "$dsc")" && echo "$sums" | sha256sum --check --quiet --strict)
}

# The newest version of a source package in our lists.
newest_version() {
  if [ ! -f "$apt_dir/sources.list" ]; then
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    keyring=/usr/share/keyrings/debian-archive-keyring.gpg
    {
      echo "deb-src [signed-by=$keyring] http://deb.debian.org/debian $codename main"
      echo "deb-src [signed-by=$keyring] http://deb.debian.org/debian $codename-updates main"
    } > "$apt_dir/sources.list.new"
    mv "$apt_dir/sources.list.new" "$apt_dir/sources.list"
    # shellcheck disable=SC2086
    apt-get $apt_options update > "$apt_dir/update.log"
  fi
  # shellcheck disable=SC2086
  apt-cache $apt_options showsrc "$1" | sed -n 's/^Version: //p' | sort -V | tail -n 1
}

# Fetches and unpacks a source package (Debian's patches applied) into $2.
fetch() {
  package=$1 tree=$2 version=$3
  download="$cache/sources/download"
  mkdir -p "$download"
  # shellcheck disable=SC2086
  (cd "$download" && apt-get $apt_options source --download-only "$package=$version" \
    > "$download/$package.log" 2>&1)
  dsc="$download/${package}_$(plain "$version").dsc"
  check_dsc "$dsc"
  rm -rf "$tree"
  dpkg-source --no-check -x "$dsc" "$tree" > /dev/null
}

# Builds one library once, from the newest Debian source of the upstream version the Linux
# build links; a stamp names the version built.
build() {
  name=$1 dev_package=$2
  package=$(source_of "$dev_package")
  version=$(newest_version "$package")
  case "$(plain "$version")" in
    "$(upstream_of "$dev_package")"-*|"$(upstream_of "$dev_package")") ;;
    *) echo "error: Debian's sources offer $package $version, the Linux build links" \
         "$(upstream_of "$dev_package")" >&2; exit 1 ;;
  esac
  stamp="$prefix/.$name-$(plain "$version")"
  [ -f "$stamp" ] && return 0
  echo "Building $name $version for WebAssembly (once per machine)..."
  tree="$cache/sources/$package-$(plain "$version")"
  [ -d "$tree" ] || fetch "$package" "$tree" "$version"
  work="$cache/build/$name"
  rm -rf "$work"
  mkdir -p "$work"
  "build_$name" "$tree" "$work"
  touch "$stamp"
}

cmake_library() {
  tree=$1 work=$2
  shift 2
  emcmake cmake -S "$tree" -B "$work" -G Ninja -Wno-dev -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" "$@" > "$work.log"
  cmake --build "$work" >> "$work.log"
  cmake --install "$work" >> "$work.log"
}

build_zlib() {
  (cd "$1" && emconfigure ./configure --static --prefix="$prefix" > "$2.log" \
    && emmake make -j2 libz.a >> "$2.log" && emmake make install-libs >> "$2.log" \
    && mkdir -p "$prefix/include" && cp zlib.h zconf.h "$prefix/include/")
}
build_libpng() {
  cmake_library "$1" "$2" -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include"
}
build_freetype() {
  # With the zlib above, as Debian builds it, instead of a copy of its own that would clash.
  cmake_library "$1" "$2" -DFT_REQUIRE_ZLIB=ON -DZLIB_LIBRARY="$prefix/lib/libz.a" \
    -DZLIB_INCLUDE_DIR="$prefix/include" -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
    -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
}
build_sdl2() {
  cmake_library "$1" "$2" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF
}

build zlib zlib1g-dev
build libpng libpng-dev
build freetype libfreetype-dev
build sdl2 libsdl2-dev

#!/usr/bin/env bash
# The installed package as a user meets it:
#   package_test.sh install BUILD PREFIX LIBDIR INCLUDEDIR BINDIR PROGRAM...
#       installs BUILD into a fresh PREFIX and checks that every file is there
#   package_test.sh cmake PREFIX EXAMPLE OUT CXX FLAGS
#       builds the example folder out of tree with find_package(kiosktk)
#   package_test.sh pkgconfig PREFIX EXAMPLE OUT CXX FLAGS LIBDIR VERSION
#       builds the example's sources with pkg-config --cflags --libs kiosktk
#   package_test.sh deb BUILD OUT VERSION PROGRAM...
#       makes the Debian package of BUILD in OUT and checks its files and dependency
set -euo pipefail

fail() {
  echo "$*" >&2
  exit 1
}

install_package() {
  local build=$1 prefix=$2 libdir=$3 includedir=$4 bindir=$5
  shift 5
  rm -rf "$prefix"
  cmake --install "$build" --prefix "$prefix" >/dev/null
  local file
  for file in "$includedir/kiosktk/toolkit.h" "$libdir/libkiosktk.a" \
    "$libdir/pkgconfig/kiosktk.pc" "$libdir/cmake/kiosktk/kiosktkConfig.cmake" \
    "$libdir/cmake/kiosktk/kiosktkConfigVersion.cmake"; do
    [[ -f $prefix/$file ]] || fail "the package lacks $file"
  done
  for file in "$@"; do
    [[ -x $prefix/$bindir/$file ]] || fail "the package lacks the program $bindir/$file"
  done
}

# A package installed elsewhere on the machine must not stand in for this one.
build_with_cmake() {
  local prefix=$1 example=$2 out=$3 cxx=$4 flags=$5
  rm -rf "$out"
  cmake -S "$example" -B "$out" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" \
    >/dev/null
  grep -q "^kiosktk_DIR:PATH=$prefix/" "$out/CMakeCache.txt" ||
    fail "find_package found kiosktk outside $prefix"
  cmake --build "$out" >/dev/null
}

build_with_pkgconfig() {
  local prefix=$1 example=$2 out=$3 cxx=$4 flags=$5 libdir=$6 version=$7
  export PKG_CONFIG_PATH=$prefix/$libdir/pkgconfig
  [[ $(pkg-config --variable=pcfiledir kiosktk) == "$PKG_CONFIG_PATH" ]] ||
    fail "pkg-config found kiosktk outside $prefix"
  [[ $(pkg-config --modversion kiosktk) == "$version" ]] ||
    fail "kiosktk.pc says version $(pkg-config --modversion kiosktk), not $version"
  rm -rf "$out"
  mkdir -p "$out"
  # shellcheck disable=SC2046,SC2086 # the flags are lists of words
  "$cxx" $flags "$example"/*.cpp $(pkg-config --cflags --libs kiosktk) -o "$out/$(basename "$example")"
}

# Exactly these files under /usr, and SDL 1.2 and libpng from either Debian 12 or Debian 13.
check_deb() {
  local build=$1 out=$2 version=$3
  shift 3
  rm -rf "$out"
  cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
  local deb
  deb=$out/kiosktk_${version}_$(dpkg --print-architecture).deb
  [[ -f $deb ]] || fail "cpack made no $deb"
  local expected=(usr/include/kiosktk/toolkit.h usr/lib/libkiosktk.a usr/lib/pkgconfig/kiosktk.pc
    usr/lib/cmake/kiosktk/kiosktkConfig.cmake usr/lib/cmake/kiosktk/kiosktkConfigVersion.cmake
    usr/lib/cmake/kiosktk/kiosktkTargets.cmake usr/lib/cmake/kiosktk/kiosktkTargets-TYPE.cmake)
  local program files
  for program in "$@"; do expected+=("usr/bin/$program"); done
  # The targets' file for the build type is named after it.
  files=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' |
    sed -E 's|^\./||; s|kiosktkTargets-[a-z]+|kiosktkTargets-TYPE|' | sort)
  [[ $files == "$(printf '%s\n' "${expected[@]}" | sort)" ]] ||
    fail "the package holds:"$'\n'"$files"
  local depends
  depends=$(dpkg-deb -f "$deb" Depends)
  [[ $depends == "libc6, libstdc++6, libsdl1.2debian | libsdl1.2-compat, libpng16-16 | libpng16-16t64" ]] ||
    fail "the package depends on: $depends"
}

mode=$1
shift
case $mode in
  install) install_package "$@" ;;
  cmake) build_with_cmake "$@" ;;
  pkgconfig) build_with_pkgconfig "$@" ;;
  deb) check_deb "$@" ;;
  *) fail "unknown mode $mode" ;;
esac

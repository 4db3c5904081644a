#!/usr/bin/env bash
# The installed package as a user meets it:
#   package_test.sh install BUILD PREFIX LIBDIR INCLUDEDIR BINDIR PROGRAM...
#       installs BUILD into a fresh PREFIX and checks that every file is there
#   package_test.sh cmake PREFIX EXAMPLE OUT CXX FLAGS
#       builds the example folder out of tree with find_package(kiosktk)
#   package_test.sh pkgconfig PREFIX EXAMPLE OUT CXX FLAGS LIBDIR VERSION
#       builds the example's sources with pkg-config --cflags --libs kiosktk
#   package_test.sh deb BUILD OUT VERSION LIBDIR PROGRAM...
#       makes the Debian packages of BUILD in OUT and checks their files and dependencies
#   package_test.sh unit FILE
#       checks the kiosk's systemd unit with systemd-analyze; 77 where it or cage is missing
#   package_test.sh lintian OUT
#       runs lintian on the packages in OUT; exit status 77 where it is not installed
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

# The names of the files in a package, without its folders, sorted.
deb_files() {
  dpkg-deb --fsys-tarfile "$1" | tar -t | grep -v '/$' | sed -E 's|^\./||' | sort
}

# check_files DEB EXPECTED...: exactly these files, whatever build type names
# the targets' file after.
check_files() {
  local deb=$1 files
  shift
  files=$(deb_files "$deb" | sed -E 's|kiosktkTargets-[a-z]+|kiosktkTargets-TYPE|')
  [[ $files == "$(printf '%s\n' "$@" | sort)" ]] ||
    fail "$(basename "$deb") holds:"$'\n'"$files"
}

# has_entry DEPENDS REGEX: an entry of the comma-separated list matches it whole.
has_entry() {
  local entry
  while read -r entry; do
    [[ $entry =~ ^$2$ ]] && return 0
  done < <(tr ',' '\n' <<<"$1")
  return 1
}

# Two packages: the programs, whose dependencies come from their binaries with
# the least versions they need and take in nothing to build with, and the
# development files, which bring what building against them needs.
check_deb() {
  local build=$1 out=$2 version=$3 libdir=$4
  shift 4
  rm -rf "$out"
  cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
  local arch programs development
  arch=$(dpkg --print-architecture)
  programs=$out/kiosktk_${version}_$arch.deb
  development=$out/kiosktk-dev_${version}_$arch.deb
  [[ -f $programs && -f $development ]] || fail "cpack made no $programs and $development"

  local expected=() program
  for program in "$@"; do
    expected+=("usr/bin/$program" "usr/share/man/man1/$program.1.gz")
  done
  check_files "$programs" "${expected[@]}" usr/share/doc/kiosktk/copyright \
    usr/share/doc/kiosktk/changelog.gz usr/share/doc/kiosktk/examples/kiosktk-kiosk.service
  local cmake=usr/$libdir/cmake/kiosktk
  check_files "$development" usr/include/kiosktk/toolkit.h "usr/$libdir/libkiosktk.a" \
    "usr/$libdir/pkgconfig/kiosktk.pc" "$cmake/kiosktkConfig.cmake" \
    "$cmake/kiosktkConfigVersion.cmake" "$cmake/kiosktkTargets.cmake" \
    "$cmake/kiosktkTargets-TYPE.cmake" usr/share/doc/kiosktk-dev/copyright \
    usr/share/doc/kiosktk-dev/changelog.gz

  local depends version_pattern='\(>= [0-9][^)]*\)'
  depends=$(dpkg-deb -f "$programs" Depends)
  has_entry "$depends" " ?libc6 $version_pattern" &&
    has_entry "$depends" " ?libstdc\+\+6 $version_pattern" &&
    has_entry "$depends" " ?libsdl1\.2debian( $version_pattern)? \| libsdl1\.2-compat( $version_pattern)?" &&
    ! has_entry "$depends" ".*-dev( .*)?" ||
    fail "the programs' package depends on: $depends"
  depends=$(dpkg-deb -f "$development" Depends)
  has_entry "$depends" " ?libsdl1\.2-dev" && has_entry "$depends" " ?libpng-dev" &&
    has_entry "$depends" " ?pkgconf" ||
    fail "the development package depends on: $depends"
  local deb field
  for deb in "$programs" "$development"; do
    for field in Recommends Suggests; do
      [[ -z $(dpkg-deb -f "$deb" $field) ]] || fail "$(basename "$deb") has a $field field"
    done
  done
}

# Lintian, where it is installed, finds neither an error nor a warning.
check_lintian() {
  command -v lintian >/dev/null || {
    echo "lintian is not installed"
    exit 77
  }
  local report status=0
  report=$(lintian --fail-on error,warning --tag-display-limit 0 "$1"/*.deb 2>&1) || status=$?
  ((status == 0)) || fail "lintian ($status):"$'\n'"$report"
}

# The kiosk's systemd unit as systemd reads it: no unknown setting, and a
# compositor that is there to start.
check_unit() {
  command -v systemd-analyze >/dev/null && [[ -x /usr/bin/cage ]] || {
    echo "systemd-analyze or cage is not installed"
    exit 77
  }
  local unit report status=0
  unit=$(mktemp -d)/kiosktk-kiosk.service
  cp "$1" "$unit"
  report=$(systemd-analyze verify "$unit" 2>&1) || status=$?
  rm -r "$(dirname "$unit")"
  ((status == 0)) && [[ -z $report ]] || fail "systemd-analyze verify ($status): $report"
}

mode=$1
shift
case $mode in
  install) install_package "$@" ;;
  cmake) build_with_cmake "$@" ;;
  pkgconfig) build_with_pkgconfig "$@" ;;
  deb) check_deb "$@" ;;
  lintian) check_lintian "$@" ;;
  unit) check_unit "$@" ;;
  *) fail "unknown mode $mode" ;;
esac

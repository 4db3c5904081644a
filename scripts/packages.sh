# Sourced by run.sh and test.sh: installs the Debian packages a task needs.

run_packages=(g++ cmake ninja-build pkg-config libsdl1.2-dev libpng-dev)
# libcaca0: SDL 1.2's text-mode driver, which the programs must refuse to
# fall back to where there is no screen (usually already pulled in by SDL).
test_packages=("${run_packages[@]}" libgtest-dev xvfb libx11-dev libxtst-dev clang-format
  libcaca0)
# sdl12-compat beside the original SDL 1.2, so that the suite runs the
# programs on both; where libsdl1.2-dev already is sdl12-compat it adds nothing.
optional_test_packages=(libsdl1.2-compat)

missing_packages() {
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q '^install ok installed$' ||
      printf '%s\n' "$package"
  done
}

available() {
  apt-cache show "$1" >/dev/null 2>&1
}

# ensure_packages NAME...: installs what is missing, or says how when not root.
ensure_packages() {
  local wanted=("$@") missing optional=() package
  mapfile -t missing < <(missing_packages "${wanted[@]}")
  if [[ ${INCLUDE_OPTIONAL:-0} == 1 ]]; then
    mapfile -t optional < <(missing_packages "${optional_test_packages[@]}")
  fi
  ((${#missing[@]} + ${#optional[@]})) || return 0
  if [[ $(id -u) != 0 ]]; then
    if ((${#missing[@]})); then
      echo "Missing packages; install them with:" >&2
      echo "  sudo apt-get install -y ${missing[*]} ${optional[*]}" >&2
      exit 1
    fi
    echo "note: ${optional[*]} is not installed; the end-to-end tests run on the system's SDL only" >&2
    return 0
  fi
  echo "Installing: ${missing[*]} ${optional[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  for package in "${optional[@]}"; do
    available "$package" && missing+=("$package")
  done
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

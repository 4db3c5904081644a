#!/usr/bin/env bash
# Runs ./test.sh on Debian 13 (trixie): gcc 14 and sdl12-compat as the only
# SDL 1.2. Makes a Debian 13 chroot with debootstrap the first time, from the
# Debian mirror this machine's apt uses, and keeps it outside the clone so that later
# runs reuse it; each run tests a fresh clone of this repository's HEAD inside
# it. test.sh installs what it needs there itself.
#   scripts/debian13.sh          exit 0 when the suite passes there, 1 when it
#                                fails, 3 when the chroot cannot be made
# KIOSK_CHROOT names another place for the chroot; KIOSK_SKIP_SANITIZE=1 is
# passed on to test.sh to run the normal suite only.
set -euo pipefail
cd "$(dirname "$0")/.."

root=${KIOSK_CHROOT:-/var/cache/kiosktk/debian13}
suite=trixie
cannot_make=3

# Every way of not testing ends here: one line with the reason, which CI
# repeats at the end of its output, and exit status 3.
not_tested() {
  echo "debian13: NOT tested on Debian 13: $*" >&2
  exit $cannot_make
}

if [[ $(id -u) != 0 ]]; then
  not_tested "making and entering a chroot needs root"
fi

# A signal ends the script, whatever runs: the command it waits for and all
# that command started, the mounts and a half-made chroot go with it.
child=0
mounted=()
making=0
clean_up() {
  if ((child > 0)); then
    kill -TERM -- "-$child" 2>/dev/null || true
    wait "$child" 2>/dev/null || true
  fi
  local index
  for ((index = ${#mounted[@]} - 1; index >= 0; index--)); do
    umount -l "${mounted[index]}" || true
  done
  mounted=()
  if ((making)); then rm -rf "$root.partial"; fi
}
trap clean_up EXIT
trap 'echo "debian13: interrupted" >&2; exit 130' INT
trap 'echo "debian13: terminated" >&2; exit 143' TERM

# Runs a command in a process group of its own and waits for it; bash runs a
# trap only between commands, and wait is the one it interrupts.
run_stoppable() {
  setsid "$@" &
  child=$!
  local status=0
  wait "$child" || status=$?
  child=0
  return $status
}

# Every deb source as "URI SUITE COMPONENTS SIGNED-BY" lines, one per URI and
# suite, from the one-line files and the deb822 .sources files.
apt_sources() {
  local file
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [[ -r $file ]] || continue
    sed -E 's/#.*//' "$file" | awk '
      $1 == "deb" {
        signed = "-"
        if (match($0, /\[[^]]*\]/)) {
          options = substr($0, RSTART + 1, RLENGTH - 2)
          if (match(options, /signed-by=[^ ]+/)) signed = substr(options, RSTART + 10, RLENGTH - 10)
          sub(/\[[^]]*\]/, "")
        }
        components = ""
        for (i = 4; i <= NF; i++) components = components (i > 4 ? "," : "") $i
        print $2, $3, (components == "" ? "-" : components), signed
      }'
  done
  for file in /etc/apt/sources.list.d/*.sources; do
    [[ -r $file ]] || continue
    awk 'BEGIN { RS = ""; FS = "\n" } {
      delete field
      for (i = 1; i <= NF; i++) {
        if ($i ~ /^[ \t#]/ || index($i, ":") == 0) continue
        key = tolower(substr($i, 1, index($i, ":") - 1))
        value = substr($i, index($i, ":") + 1)
        gsub(/^[ \t]+|[ \t]+$/, "", value)
        field[key] = value
      }
      if (field["types"] !~ /(^| )deb( |$)/ || tolower(field["enabled"]) == "no") next
      components = field["components"]; gsub(/[ \t]+/, ",", components)
      signed = ("signed-by" in field && field["signed-by"] != "") ? field["signed-by"] : "-"
      uris = split(field["uris"], uri, /[ \t]+/)
      suites = split(field["suites"], suite, /[ \t]+/)
      for (u = 1; u <= uris; u++)
        for (s = 1; s <= suites; s++)
          print uri[u], suite[s], (components == "" ? "-" : components), signed
    }' "$file"
  done
}

# The first source of Debian's own archive: a .../debian folder with the main
# component, trusted by Debian's archive keys. A third-party repository laid
# out like Debian's names its own component or key, and is passed over.
debian_mirror() {
  local uri suite components signed
  while read -r uri suite components signed; do
    [[ $uri =~ ^https?://[^[:space:]]+/debian/?$ ]] || continue
    [[ ,$components, == *,main,* ]] || continue
    [[ $signed == - || $signed == */debian-archive-keyring.gpg ]] || continue
    echo "${uri%/}"
    return
  done < <(apt_sources)
  echo http://deb.debian.org/debian
}

make_chroot() {
  if ! command -v debootstrap >/dev/null; then
    echo "debian13: installing debootstrap"
    DEBIAN_FRONTEND=noninteractive apt-get update -qq &&
      DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null ||
      not_tested "debootstrap is missing and could not be installed"
  fi
  local mirror
  mirror=$(debian_mirror)
  echo "debian13: making a $suite chroot in $root from $mirror"
  making=1
  rm -rf "$root.partial"
  mkdir -p "$(dirname "$root")"
  run_stoppable debootstrap --variant=minbase "$suite" "$root.partial" "$mirror" >"$root.log" 2>&1 ||
    not_tested "debootstrap from $mirror failed: $(grep -E '^[EW]:' "$root.log" | tail -n 1 || true) (log: $root.log)"
  # Only a finished chroot is reused; an interrupted one is made anew.
  mv "$root.partial" "$root"
  making=0
}

if [[ ! -x $root/usr/bin/apt-get ]]; then make_chroot; fi

mount_in_chroot() {
  local target=$root/$1
  shift
  mkdir -p "$target"
  mount "$@" "$target" || not_tested "cannot mount $target"
  mounted+=("$target")
}

mount_in_chroot proc -t proc proc
mount_in_chroot sys -t sysfs sysfs
mount_in_chroot dev --bind /dev
# Kept private so that what is mounted beneath it never shows in the host's /dev.
mount --make-private "$root/dev" || not_tested "cannot make $root/dev private"
mount_in_chroot dev/pts -t devpts -o newinstance,ptmxmode=0666 devpts
mount_in_chroot dev/shm -t tmpfs -o mode=1777 shm

# The clone lives under /root, where other users cannot enter: the suite must
# not depend on where the checkout is.
clone=/root/kiosktk
rm -rf "${root:?}$clone"
git clone -q --no-hardlinks . "$root$clone"
git -C "$root$clone" checkout -q --detach "$(git rev-parse HEAD)"

echo "debian13: running ./test.sh on $(git rev-parse --short HEAD) in $root"
status=0
run_stoppable chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  LANG=C.UTF-8 KIOSK_SKIP_SANITIZE="${KIOSK_SKIP_SANITIZE:-0}" \
  /bin/bash -c "cd $clone && ./test.sh" || status=1
if ((status == 0)); then
  echo "debian13: the suite passes on Debian 13 ($((SECONDS / 60)) min)"
else
  echo "debian13: the suite FAILS on Debian 13 ($((SECONDS / 60)) min)" >&2
fi
exit $status

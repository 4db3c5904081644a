#!/usr/bin/env bash
# Runs ./test.sh on Debian 13 (trixie): gcc 14 and sdl12-compat as the only
# SDL 1.2. Makes a Debian 13 chroot with debootstrap the first time, from the
# mirror this machine's apt uses, and keeps it outside the clone so that later
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

if [[ $(id -u) != 0 ]]; then
  echo "debian13: making and entering a chroot needs root" >&2
  exit $cannot_make
fi

# The first Debian mirror in the host's apt sources (one-line or deb822 form).
debian_mirror() {
  local uri
  uri=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null |
    grep -oE '(https?://[^ ]+/debian)/?( |$)' | head -n1 | tr -d ' ' || true)
  echo "${uri:-http://deb.debian.org/debian}"
}

make_chroot() {
  if ! command -v debootstrap >/dev/null; then
    echo "debian13: installing debootstrap"
    DEBIAN_FRONTEND=noninteractive apt-get update -qq &&
      DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null ||
      return 1
  fi
  local mirror
  mirror=$(debian_mirror)
  echo "debian13: making a $suite chroot in $root from $mirror"
  rm -rf "$root.partial"
  mkdir -p "$(dirname "$root")"
  debootstrap --variant=minbase "$suite" "$root.partial" "$mirror" >"$root.log" 2>&1 || {
    tail -n 5 "$root.log" >&2
    return 1
  }
  # Only a finished chroot is reused; an interrupted one is made anew.
  mv "$root.partial" "$root"
}

if [[ ! -x $root/usr/bin/apt-get ]] && ! make_chroot; then
  echo "debian13: could not make the Debian 13 chroot (see $root.log); not tested on Debian 13" >&2
  exit $cannot_make
fi

mounted=()
unmount_all() {
  local index
  for ((index = ${#mounted[@]} - 1; index >= 0; index--)); do
    umount -l "${mounted[index]}" || true
  done
  mounted=()
}
trap unmount_all EXIT INT TERM

mount_in_chroot() {
  local target=$root/$1
  shift
  mkdir -p "$target"
  mount "$@" "$target" || {
    echo "debian13: cannot mount $1 in the chroot; not tested on Debian 13" >&2
    exit $cannot_make
  }
  mounted+=("$target")
}

mount_in_chroot proc -t proc proc
mount_in_chroot sys -t sysfs sysfs
mount_in_chroot dev --bind /dev
# Kept private so that what is mounted beneath it never shows in the host's /dev.
mount --make-private "$root/dev" || exit $cannot_make
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
chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  LANG=C.UTF-8 KIOSK_SKIP_SANITIZE="${KIOSK_SKIP_SANITIZE:-0}" \
  /bin/bash -c "cd $clone && ./test.sh" || status=1
if ((status == 0)); then
  echo "debian13: the suite passes on Debian 13 ($((SECONDS / 60)) min)"
else
  echo "debian13: the suite FAILS on Debian 13 ($((SECONDS / 60)) min)" >&2
fi
exit $status

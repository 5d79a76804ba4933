#!/usr/bin/env bash
# Runs the README's test command as a newcomer would: as root, in fresh
# minimal Debian roots (debootstrap --variant=minbase, of this machine's
# architecture, from the mirror its apt uses, plus git), one for each Debian
# release the project is for, side by side, each holding a clone of this
# repository's committed HEAD with nothing else installed.  Every line of a
# root's output begins with its release ("[Debian 13] ...").  Its exit code
# is 0 when the test command passed in every root, else the first failing
# root's.
#   scripts/test-in-fresh-root.sh [--release CODENAME]... [TEST-ARGUMENTS...]
#   (as root; e.g. --release trixie --quick: one root, the quick test command)
# Without --release: bookworm (Debian 12) and trixie (Debian 13).
#
# - The pristine roots are made once and kept in
#   $VOLTANOR_FRESH_ROOT_CACHE (/var/cache/voltanor), one folder per release,
#   architecture and mirror; each run works on an overlay of one (a copy where
#   overlays cannot be mounted) in build/fresh-root/RELEASE, removed at the
#   end, so nothing the project installs is carried to the next run.
# - A root's apt gets the host's Debian sources, with the release named in
#   their suites changed to the root's (bookworm-security becomes
#   trixie-security; main only), the host's settings for reaching them
#   (proxies, release-date checks), and resolv.conf.
# - Mounted inside it: proc (of a process namespace of its own), sys, dev,
#   dev/pts, a tmpfs on dev/shm, and MBROLA's source read-only at
#   /work/shared/third_party/mbrola (where scripts/build.sh looks for it), from
#   the same places scripts/build.sh searches here.  All mounts live in a mount
#   namespace of the root's own: the machine never sees them, and they are
#   undone when the run ends, fails or is interrupted.
# - The test command's logs are copied to build/fresh-root-logs/RELEASE/.
set -eEuo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
# Nothing here reads a terminal: CI runs it with no standard input at all.
exec </dev/null
source scripts/steps.sh
source scripts/debian-sources.sh
report_failures

[ "$(id -u)" = 0 ] || { echo "test-in-fresh-root: needs root (debootstrap, mount, chroot)" >&2; exit 1; }
clone_dir=/work/voltanor

release_label() { # codename: how the output names the root
  case $1 in
    bookworm) echo "Debian 12" ;;
    trixie) echo "Debian 13" ;;
    *) echo "Debian $1" ;;
  esac
}

if [ -z "${VOLTANOR_FRESH_ROOT_INSIDE:-}" ]; then
  # ---- on the machine: debootstrap, the cached pristine roots ----
  releases=()
  while [ "${1:-}" = --release ]; do
    [ -n "${2:-}" ] || { echo "test-in-fresh-root: --release needs a codename" >&2; exit 2; }
    releases+=("$2"); shift 2
  done
  [ ${#releases[@]} -gt 0 ] || releases=(bookworm trixie)
  if ! command -v debootstrap >/dev/null; then
    step fresh-root-apt-update apt-get update || true
    step fresh-root-debootstrap-install env DEBIAN_FRONTEND=noninteractive \
      apt-get install -y --no-install-recommends debootstrap
  fi
  host_release=$(debian_release)
  arch=$(dpkg --print-architecture)
  # The host's Debian sources of its release, as apt itself reads them:
  # "URI SUITE" for the release and its -updates and -security suites.
  mapfile -t host_sources < <(debian_sources | awk -v r="$host_release" '$2 == r || index($2, r "-") == 1')
  cache_root=${VOLTANOR_FRESH_ROOT_CACHE:-/var/cache/voltanor}
  mkdir -p "$cache_root" "$top/build"

  pristine_root() { # release: makes the cached root when there is none; prints its folder
    local release=$1 mirror=
    for source in "${host_sources[@]}"; do
      [ "${source#* }" = "$host_release" ] && mirror=${source%% *}
    done
    [ -n "$mirror" ] || { echo "test-in-fresh-root: the host's apt has no source for $host_release" >&2; return 1; }
    local pristine=$cache_root/root-$release-$arch-minbase-git-$(echo "$mirror" | sha256sum | cut -c1-12)
    # One run at a time makes it; the others wait for it.
    exec 9>"$cache_root/.lock"
    flock 9
    if [ ! -f "$pristine/.complete" ]; then
      rm -rf "$pristine" "$pristine.new"
      step "fresh-root-debootstrap-$release" debootstrap --variant=minbase --include=git --arch="$arch" \
        "$release" "$pristine.new" "$mirror" >&2
      # Only the root itself is kept: not the packages it was made from.
      rm -f "$pristine.new"/var/cache/apt/archives/*.deb
      date -u +%FT%TZ > "$pristine.new/.complete"
      mv "$pristine.new" "$pristine"
    fi
    exec 9>&-
    echo "$pristine"
  }

  declare -A runner_of=()
  stop_roots() { # each root's run unmounts and removes its root before it ends
    local release
    for release in "${!runner_of[@]}"; do
      kill -TERM "${runner_of[$release]}" 2>/dev/null || true
    done
    for release in "${!runner_of[@]}"; do
      wait "${runner_of[$release]}" 2>/dev/null || true
    done
    sleep 1
  }
  trap 'stop_roots; exit 130' INT
  trap 'stop_roots; exit 143' TERM
  for release in "${releases[@]}"; do
    pristine=$(pristine_root "$release")
    label=$(release_label "$release")
    # The root's sources: the host's, with its release's name in each suite
    # changed to the root's.
    sources=()
    for source in "${host_sources[@]}"; do
      sources+=("${source%% *} $release${source#* $host_release};")
    done
    echo "test-in-fresh-root: $label ($release) in build/fresh-root/$release, from $pristine"
    # Everything mounted from here on belongs to this root's namespace alone.
    VOLTANOR_FRESH_ROOT_INSIDE=1 VOLTANOR_FRESH_ROOT_PRISTINE=$pristine \
      VOLTANOR_FRESH_ROOT_RELEASE=$release VOLTANOR_FRESH_ROOT_SOURCES="${sources[*]}" \
      unshare --mount --propagation private -- bash "$top/scripts/test-in-fresh-root.sh" "$@" \
      > >(sed -u "s/^/[$label] /") 2>&1 &
    runner_of[$release]=$!
  done
  status=0
  started=$SECONDS
  summary=()
  for release in "${releases[@]}"; do
    code=0
    wait "${runner_of[$release]}" || code=$?
    unset "runner_of[$release]"
    summary+=("test-in-fresh-root: $(release_label "$release") ($release): exit code $code")
    [ "$status" -ne 0 ] || status=$code
  done
  # The roots' last lines come out before the summary.
  sleep 1
  printf '%s\n' "${summary[@]}"
  echo "test-in-fresh-root: $((SECONDS - started)) s for ${#releases[@]} root(s)"
  exit "$status"
fi

# ---- in the mount namespace of this root ----
pristine=$VOLTANOR_FRESH_ROOT_PRISTINE
release=$VOLTANOR_FRESH_ROOT_RELEASE
work=$top/build/fresh-root/$release
logs_copy=$top/build/fresh-root-logs/$release
root=$work/root
runner=

unmount_root() {
  # Deepest first; the namespace ends with this script anyway.
  local mounts
  mounts=$(findmnt -rn -o TARGET | grep -E "^$work(/|$)" | sort -r || true)
  [ -z "$mounts" ] || echo "$mounts" | while read -r m; do umount -l "$m" 2>/dev/null || true; done
  if findmnt -rn -o TARGET | grep -qE "^$work(/|$)"; then
    echo "test-in-fresh-root: still mounted under $work:" >&2
    findmnt -rn -o TARGET | grep -E "^$work(/|$)" >&2
    return 1
  fi
}
finish() {
  local status=$?
  trap - EXIT INT TERM
  if [ -n "$runner" ] && kill -0 "$runner" 2>/dev/null; then
    # The root's processes are a process namespace under unshare, which
    # takes them all with it.
    echo "test-in-fresh-root: stopping the test command"
    kill -KILL "$runner" 2>/dev/null || true
    wait "$runner" 2>/dev/null || true
  fi
  if [ -d "$root$clone_dir/build/logs" ]; then
    rm -rf "$logs_copy"
    mkdir -p "${logs_copy%/*}"
    cp -a "$root$clone_dir/build/logs" "$logs_copy" 2>/dev/null || true
  fi
  if unmount_root; then
    rm -rf --one-file-system "$work"
    echo "test-in-fresh-root: the root is unmounted and removed"
  else
    [ "$status" -ne 0 ] || status=1
  fi
  exit "$status"
}
trap finish EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# A root left by a run that was killed outright goes first.
unmount_root
rm -rf --one-file-system "$work"
mkdir -p "$work/upper" "$work/overlay-work" "$root"
if mount -t overlay fresh-root -o "lowerdir=$pristine,upperdir=$work/upper,workdir=$work/overlay-work" "$root" 2>/dev/null; then
  echo "test-in-fresh-root: an overlay over $pristine"
else
  echo "test-in-fresh-root: copying $pristine (no overlay here)"
  cp -a "$pristine/." "$root/"
fi
rm -f "$root/.complete"

# apt: the host's Debian sources, for this root's release, and what it takes to reach them.
: > "$root/etc/apt/sources.list"
IFS=';' read -ra sources <<<"$VOLTANOR_FRESH_ROOT_SOURCES"
for source in "${sources[@]}"; do
  source=${source# }
  [ -n "$source" ] && echo "deb ${source% *} ${source#* } main" >> "$root/etc/apt/sources.list"
done
apt-config dump | grep -E '^Acquire::(Check-Valid-Until|Check-Date|https?::Proxy|ftp::Proxy)( |::)' \
  > "$root/etc/apt/apt.conf.d/90host-acquire" || true
cp -L /etc/resolv.conf "$root/etc/resolv.conf"
# dpkg without waiting for each file to reach the disk, as debootstrap itself
# installs: what is installed is the same, in a fraction of the time.
echo force-unsafe-io > "$root/etc/dpkg/dpkg.cfg.d/fresh-root-unsafe-io"

mount --rbind /sys "$root/sys"
mount --rbind /dev "$root/dev"
mount -t tmpfs -o mode=1777,nosuid,nodev shm "$root/dev/shm"
for dir in "$top/../shared/third_party/mbrola" /work/shared/third_party/mbrola; do
  if [ -f "$dir/LibOneChannel/lib1.c" ]; then
    mkdir -p "$root/work/shared/third_party/mbrola"
    mount --bind -o ro "$dir" "$root/work/shared/third_party/mbrola"
    break
  fi
done

# The clone, made by the root's own git from a bundle of the committed HEAD
# (on its branch, when there is one).
refs=(HEAD)
branch=$(git symbolic-ref --quiet HEAD) && refs+=("$branch")
git bundle create --quiet "$root/tmp/voltanor.bundle" "${refs[@]}"
chroot "$root" git -c init.defaultBranch=main clone --quiet /tmp/voltanor.bundle "$clone_dir"
rm -f "$root/tmp/voltanor.bundle"
echo "test-in-fresh-root: $clone_dir at $(chroot "$root" git -C "$clone_dir" log --oneline -1)"

# The test command, as root in the root, with a newcomer's plain environment.
# Every bash in it notes a command it cannot find (what the set-up should
# have installed), whatever the script made of the failure.
missing_log=/var/log/commands-not-found.log
test_started=$SECONDS
unshare --pid --fork --kill-child --mount-proc="$root/proc" \
  chroot "$root" /usr/bin/env -i HOME=/root TERM="${TERM:-dumb}" CI="${CI:-}" \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    "BASH_FUNC_command_not_found_handle%%=() { echo \"\$1\" >> $missing_log; echo \"bash: \$1: command not found\" >&2; return 127; }" \
    bash -c 'cd "$0" && exec scripts/test.sh "$@"' "$clone_dir" "$@" &
runner=$!
status=0
wait "$runner" || status=$?
runner=
if [ -s "$root$missing_log" ]; then
  echo "test-in-fresh-root: commands not found in the root: $(sort -u "$root$missing_log" | tr '\n' ' ')"
fi
echo "test-in-fresh-root: the test command ended with exit code $status after $((SECONDS - test_started)) s"
exit "$status"

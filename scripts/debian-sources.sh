# Sourced by the scripts: where this machine's apt gets Debian from, read from
# its own configuration (sources.list one-line entries and deb822 .sources
# files alike), without downloading anything and without root.
#
#   debian_release          this machine's release codename (bookworm, trixie)
#   debian_sources          "URI SUITE" a line, each source apt reads
#   debian_mirror_for SUITE the URI of the source serving SUITE (its Debian
#                           mirror), or of the one serving this machine's
#                           release when none serves SUITE; fails when there is
#                           neither

debian_release() {
  (. /etc/os-release && echo "${VERSION_CODENAME:?no VERSION_CODENAME in /etc/os-release}")
}

debian_sources() {
  apt-get indextargets --no-release-info --format '$(REPO_URI) $(RELEASE)' | sed 's|/ | |' | sort -u
}

debian_mirror_for() {
  local suite=$1 release uri
  release=$(debian_release)
  uri=$(debian_sources | awk -v s="$suite" '$2 == s { print $1; exit }')
  [ -n "$uri" ] || uri=$(debian_sources | awk -v s="$release" '$2 == s { print $1; exit }')
  [ -n "$uri" ] || { echo "debian-sources: this machine's apt has no source for $suite nor $release" >&2; return 1; }
  echo "$uri"
}

# Sourced by bootstrap.sh (and by its test): the libraries we cross-build for MinGW, kept in the
# user's cache folder outside any clone, so that a second clone or a fresh build folder copies
# them instead of building them again.
#
# An entry is one library built with one toolchain and one set of flags. Its folder is named by
# a key: a hash of everything that decides its contents (the library, its source package's
# version, the toolchain's versions, the flags). Any change there is another key, so a stale
# entry is never taken. An entry is built under a temporary name and renamed into place only
# when complete, with the checksums of its files; an entry whose checksums are missing or do not
# match (written half, or damaged since) is built again, never used.

# prismatone_cache_dir: the project's folder in the user's cache folder.
prismatone_cache_dir() { echo "${PRISMATONE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/prismatone}"; }

# depcache_key PART...: the key for an entry made from PARTS (one a line): 32 hex digits.
depcache_key() { printf '%s\n' "$@" | sha256sum | cut -c1-32; }

# depcache_valid DIR: succeeds when DIR is a complete entry, every file as it was written.
depcache_valid() {
  local dir=$1
  [ -s "$dir/.files.sha256" ] || return 1
  (cd "$dir" && sha256sum --quiet --strict -c .files.sha256 >/dev/null 2>&1)
}

# depcache_fetch NAME KEY DEST BUILD...: copies the entry NAME-KEY into the folder DEST. When the
# cache has no valid entry, first runs BUILD with an empty staging folder added as its last
# argument (BUILD installs the library there), then records its files' checksums and renames the
# folder into place. Fails, leaving no entry, when BUILD fails.
depcache_fetch() {
  local name=$1 key=$2 dest=$3
  shift 3
  local cache entry tmp
  cache="$(prismatone_cache_dir)/deps"
  entry="$cache/$name-$key"
  if ! depcache_valid "$entry"; then
    if [ -e "$entry" ]; then echo "bootstrap: the cached $name is incomplete or damaged; building it again" >&2; fi
    mkdir -p "$cache"
    tmp=$(mktemp -d "$cache/.$name-$key.XXXXXX")
    if ! "$@" "$tmp"; then
      rm -rf "$tmp"
      return 1
    fi
    (cd "$tmp" && find . \( -type f -o -type l \) ! -name '.files.sha256*' -print0 | LC_ALL=C sort -z |
      xargs -0 -r sha256sum) >"$tmp/.files.sha256.part" && mv "$tmp/.files.sha256.part" "$tmp/.files.sha256"
    rm -rf "$entry"
    # Another bootstrap may have put the same entry in place meanwhile: then its copy is taken.
    mv -T "$tmp" "$entry" 2>/dev/null || rm -rf "$tmp"
    depcache_valid "$entry" || return 1
  fi
  mkdir -p "$dest"
  cp -a "$entry/." "$dest/"
  rm -f "$dest/.files.sha256"
}

# depcache_drop_stale: removes staging folders that a bootstrap stopped half-way left behind.
depcache_drop_stale() {
  local cache
  cache="$(prismatone_cache_dir)/deps"
  [ -d "$cache" ] || return 0
  find "$cache" -mindepth 1 -maxdepth 1 -name '.*' -mmin +120 -exec rm -rf {} + 2>/dev/null || true
}

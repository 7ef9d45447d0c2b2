# Sourced by bootstrap.sh and the test and run scripts: can this host execute 32-bit (i386) code?
# Some kernels have IA-32 emulation switched off; the 32-bit Wine loader then fails with "Exec
# format error" and nothing 32-bit runs. qemu-i386-static registered with binfmt_misc brings it
# back, emulated and many times slower.
#
# host_i386_mode prints one word:
#   native    - i386 code runs on the processor
#   emulated  - i386 code runs, through qemu-i386 registered with binfmt_misc
#   none      - i386 code does not run at all

PRISMATONE_WINE32_LOADER=${PRISMATONE_WINE32_LOADER:-/usr/lib/wine/wine}
PRISMATONE_BINFMT_DIR=${PRISMATONE_BINFMT_DIR:-/proc/sys/fs/binfmt_misc}

# Any enabled binfmt_misc entry that hands i386 ELF files to a qemu interpreter.
i386_binfmt_entry() {
  local f
  for f in "$PRISMATONE_BINFMT_DIR"/*; do
    [ -f "$f" ] || continue
    case ${f##*/} in register | status) continue ;; esac
    grep -qx enabled "$f" 2>/dev/null || continue
    grep -q '^interpreter .*qemu-i386' "$f" 2>/dev/null && { echo "$f"; return 0; }
  done
  return 1
}

host_i386_mode() {
  if ! "$PRISMATONE_WINE32_LOADER" --version >/dev/null 2>&1; then
    echo none
  elif i386_binfmt_entry >/dev/null; then
    echo emulated
  else
    echo native
  fi
}

# Registers qemu-i386-static for i386 ELF executables. The F flag opens the interpreter now, so
# it keeps working inside other mount namespaces and chroots. Returns non-zero when the kernel
# or our rights do not allow it.
register_qemu_i386() {
  local qemu=/usr/bin/qemu-i386-static
  [ -x "$qemu" ] || return 1
  if [ ! -e "$PRISMATONE_BINFMT_DIR/register" ]; then
    sudo_ mount -t binfmt_misc binfmt_misc "$PRISMATONE_BINFMT_DIR" 2>/dev/null || return 1
  fi
  [ -e "$PRISMATONE_BINFMT_DIR/qemu-i386" ] && sudo_ sh -c "echo -1 > '$PRISMATONE_BINFMT_DIR/qemu-i386'" 2>/dev/null
  local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  printf '%s' ":qemu-i386:M::$magic:$mask:$qemu:F" | sudo_ tee "$PRISMATONE_BINFMT_DIR/register" >/dev/null 2>&1
}

# host_i386_check INSTALL_CMD...: the check done once, by bootstrap.sh, after Wine is installed.
# When i386 code does not run, installs qemu-user-static with INSTALL_CMD and registers it, and
# says in one line what it did and why. Prints the resulting mode last.
host_i386_check() {
  local mode
  mode=$(host_i386_mode)
  if [ "$mode" = none ]; then
    if "$@" qemu-user-static >/dev/null && register_qemu_i386; then
      mode=$(host_i386_mode)
    fi
    if [ "$mode" = emulated ]; then
      echo "host: this kernel does not execute 32-bit (i386) code; registered qemu-i386 with binfmt_misc, so 32-bit programs run emulated and slowly" >&2
    else
      echo "host: this kernel does not execute 32-bit (i386) code and qemu-i386 could not be registered; only 64-bit Wine programs will run" >&2
    fi
  fi
  echo "$mode"
}

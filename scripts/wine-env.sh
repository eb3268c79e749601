# Sourced by wine-run, wine-session and the demo: one place for the Wine settings.
vaultrine_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [[ "${VAULTRINE_WINE_ARCH:-}" == i686 ]]; then
  # The i686 build: the WoW64 Wine that scripts/wow64-wine builds (32-bit Windows code in
  # a 64-bit process), with a prefix of its own.
  if ! WINE="$("$vaultrine_root/scripts/wow64-wine" --path)"; then
    echo "wine-env: no WoW64 Wine for the i686 tests; build it once with scripts/wow64-wine" >&2
    return 1 2>/dev/null || exit 1
  fi
  export WINE
  export WINESERVER="${WINE%/*}/wineserver"
  export WINEPREFIX="${WINEPREFIX:-$vaultrine_root/build/wineprefix-i686}"
else
  export WINE=/usr/lib/wine/wine64        # the 64-bit loader, never the i386 one
  export WINESERVER=/usr/lib/wine/wineserver
  export WINEPREFIX="${WINEPREFIX:-$vaultrine_root/build/wineprefix}"
fi
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# A fixed locale: Wine then uses the ANSI code page 1252 that the tests expect.
export LANG=C.UTF-8 LC_ALL=C.UTF-8

vaultrine_wine_prefix() {
  if [[ ! -f "$WINEPREFIX/.vaultrine-ready" ]]; then
    mkdir -p "$WINEPREFIX"
    local tmpdisp=""
    if [[ -z "${DISPLAY:-}" ]]; then vaultrine_start_xvfb; tmpdisp="$XVFB_PID"; fi
    "$WINE" wineboot --init >/dev/null 2>&1
    # No crash dialog from winedbg: a crashing test must just fail.
    "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /t REG_SZ /d 1 /f >/dev/null 2>&1
    "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /t REG_SZ /d "" /f >/dev/null 2>&1
    if [[ "${VAULTRINE_WINE_ARCH:-}" == i686 ]]; then
      # A 32-bit program reads the 32-bit view of HKLM\Software.
      "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /t REG_SZ /d 1 /f /reg:32 >/dev/null 2>&1
      "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /t REG_SZ /d "" /f /reg:32 >/dev/null 2>&1
    fi
    "$WINESERVER" -w
    # Wine draws the caption buttons with Marlett; give the prefix its TrueType fonts.
    cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    if [[ -n "$tmpdisp" ]]; then kill "$tmpdisp" 2>/dev/null || true; unset DISPLAY; fi
    touch "$WINEPREFIX/.vaultrine-ready"
  fi
  # No window manager runs on the virtual display: Wine must not wait for one to
  # withdraw a captioned window (two seconds for each dialog that closes).
  if [[ ! -f "$WINEPREFIX/.vaultrine-unmanaged" ]]; then
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    "$WINESERVER" -w
    touch "$WINEPREFIX/.vaultrine-unmanaged"
  fi
  # A finer screen when asked (VAULTRINE_DPI: Wine's LogPixels, 96 by default); a
  # prefix keeps the last one set.
  if [[ -n "${VAULTRINE_DPI:-}" && "$(cat "$WINEPREFIX/.vaultrine-dpi" 2>/dev/null)" != "$VAULTRINE_DPI" ]]; then
    "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$VAULTRINE_DPI" /f >/dev/null 2>&1
    "$WINESERVER" -w
    echo "$VAULTRINE_DPI" >"$WINEPREFIX/.vaultrine-dpi"
  fi
}

# Starts Xvfb on a free display (VAULTRINE_SCREEN pixels, 1280x1024 unless set);
# exports DISPLAY and sets XVFB_PID. Xvfb picks the number itself (-displayfd) and
# claims it when it binds its socket, so sessions started together never share one;
# it writes the number once it accepts connections.
vaultrine_start_xvfb() {
  local dir n="" pid
  dir="$(mktemp -d "${TMPDIR:-/tmp}/vaultrine-xvfb.XXXXXX")" || return 1
  local fifo="$dir/displayfd"
  mkfifo -m 600 "$fifo" || { rm -rf "$dir"; return 1; }
  Xvfb -displayfd 3 -screen 0 "${VAULTRINE_SCREEN:-1280x1024}x24" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  pid=$!
  # End of file without a number: Xvfb gave up (no display free, bad screen size).
  read -r -t 60 n <"$fifo" || true
  rm -rf "$dir"
  if [[ ! "$n" =~ ^[0-9]+$ ]]; then
    kill "$pid" 2>/dev/null || true
    echo "wine-env: Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$n"
  XVFB_PID="$pid"
}

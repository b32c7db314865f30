# Sourced by the harness scripts: the environment every Wine run of this project uses.
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko download prompts: the program needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

# mz_pdf_port INSTALL: the printer port of an installation laid out by the build: each job becomes a
# PDF file in its "Impressos" folder (the script imprime-pdf.sh that the installation carries).
mz_pdf_port() {
  printf "|/bin/sh '%s/imprime-pdf.sh' '%s/Impressos'" "$1" "$1"
}

# mz_printer_install PREFIX TOOL [PORT]: (re)installs the prefix's default printer, on PORT or, without
# one, the FILE: printer; remembers tool and port, so that it runs again only when either changed.
mz_printer_install() {
  local prefix=$1 tool=$2 port=${3:-}
  local stamp
  stamp="$(md5sum < "$tool") $port"
  [ -f "$prefix/.mz-printer" ] && [ "$(cat "$prefix/.mz-printer")" = "$stamp" ] && return 0
  WINEPREFIX=$prefix wine "$tool" ${port:+"$port"} >/dev/null 2>&1 || { echo "printer set-up failed" >&2; return 1; }
  WINEPREFIX=$prefix wineserver -w
  printf '%s' "$stamp" > "$prefix/.mz-printer"
}

# mz_prefix_setup PREFIX [PRINTER_TOOL [PRINTER_PORT]]: creates the Wine prefix once (idempotent, safe
# to call from parallel runs) with the registry values, fonts and default printer that the program and
# tests expect: the FILE: printer, or a printer on PRINTER_PORT.
mz_prefix_setup() {
  local prefix=$1 tool=${2:-} port=${3:-}
  mkdir -p "$prefix"
  (
    flock 9
    if [ -f "$prefix/.mz-ready" ]; then
      if [ -n "$tool" ] && [ -f "$tool" ]; then
        mz_printer_install "$prefix" "$tool" "$port" || exit 1
      fi
      exit 0
    fi
    export WINEPREFIX=$prefix
    wineboot -i >/dev/null 2>&1
    wineserver -w
    local reg=$prefix/mz-settings.reg
    cat > "$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine]
"Version"="win10"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Decorated"="N"
"Managed"="Y"

[HKEY_CURRENT_USER\Software\Wine\DllOverrides]
"mscoree"=""
"mshtml"=""

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"Webdings"="Marlett"
REG
    wine regedit /S "$reg" >/dev/null 2>&1 || wine regedit "$reg" >/dev/null 2>&1
    mkdir -p "$prefix/drive_c/windows/Fonts"
    cp -n /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
    if [ -n "$tool" ] && [ -f "$tool" ]; then
      mz_printer_install "$prefix" "$tool" "$port" || exit 1
    fi
    wineserver -w
    touch "$prefix/.mz-ready"
  ) 9>"$prefix.lock"
}

# mz_prefix_clone BASE PREFIX: PREFIX as a copy of the ready prefix BASE, made again when BASE was
# made or changed (its stamps) after it.
mz_prefix_clone() {
  local base=$1 prefix=$2
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    if [ -f "$prefix/.mz-ready" ]; then
      local stamp fresh=1
      for stamp in "$base"/.mz-*; do
        [ "$stamp" -nt "$prefix/.mz-ready" ] && fresh=0
      done
      [ $fresh = 0 ] || exit 0
    fi
    rm -rf "$prefix"
    cp -a "$base" "$prefix"
    rm -f "$prefix/.mz-ready"
    touch "$prefix/.mz-ready"
  ) 9>"$prefix.lock"
}

# mz_prefix_unmanaged PREFIX: the tests' prefix leaves its windows to Wine alone. The tests' display
# has no window manager, and a managed window waits for one to confirm each hide (two seconds each).
mz_prefix_unmanaged() {
  local prefix=$1
  [ -f "$prefix/.mz-unmanaged" ] && return 0
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\n"Managed"="N"\n' > "$prefix/mz-unmanaged.reg"
  WINEPREFIX=$prefix wine regedit /S "$prefix/mz-unmanaged.reg" >/dev/null 2>&1
  WINEPREFIX=$prefix wineserver -w
  touch "$prefix/.mz-unmanaged"
}

# mz_xvfb_start STATEDIR: a private display picked by Xvfb itself; writes STATEDIR/display and xvfb.pid.
mz_xvfb_start() {
  local state=$1
  mkdir -p "$state"
  rm -f "$state/display" "$state/xvfb.pid"
  : > "$state/display.fd"
  setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$state/display.fd" \
    </dev/null >"$state/xvfb.log" 2>&1 &
  echo $! > "$state/xvfb.pid"
  local i
  for i in $(seq 1 100); do
    if [ -s "$state/display.fd" ]; then
      echo ":$(tr -d '[:space:]' < "$state/display.fd")" > "$state/display"
      return 0
    fi
    sleep 0.1
  done
  echo "Xvfb did not start (see $state/xvfb.log)" >&2
  return 1
}

# mz_wineserver_alive PREFIX: whether the prefix's wineserver has its socket (its folder in /tmp/.wine-UID
# is named after the device and inode of the prefix's folder).
mz_wineserver_alive() {
  local id
  id=$(stat -c 'server-%D-%i' "$1" 2>/dev/null) || return 1
  id=$(printf 'server-%x-%x' "0x$(echo "$id" | cut -d- -f2)" "$(echo "$id" | cut -d- -f3)")
  [ -S "/tmp/.wine-$(id -u)/$id/socket" ]
}

mz_xvfb_stop() {
  local state=$1
  if [ -f "$state/xvfb.pid" ]; then
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
    rm -f "$state/xvfb.pid" "$state/display"
  fi
}

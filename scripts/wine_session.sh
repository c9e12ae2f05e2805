# Sourced by the scripts that run the Windows build under Wine:
#   start_wine_session WINDOWS_BUILD NAME
# gives Wine a private prefix in WINDOWS_BUILD/wine that never asks anything
# (no Mono or Gecko installer) and a private Xvfb to show windows on (Wine 8
# opens none without an X display). One Xvfb and one wineserver then serve
# every program started until the script ends (the wineserver makes each
# start a tenth of a second instead of more than one); both are shut down
# at its exit. Sets `wine` to the Wine program.

start_wine_session() {
  local build=$1 name=$2
  export WINEPREFIX="$build/wine"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  wine=$(command -v wine || command -v wine64)

  local display_file
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" </dev/null >/dev/null 2>&1 &
  wine_session_xvfb=$!
  trap stop_wine_session EXIT
  for _ in $(seq 100); do [[ -s "$display_file" ]] && break; sleep 0.1; done
  if [[ ! -s "$display_file" ]]; then
    echo "$name: Xvfb did not start" >&2
    exit 1
  fi
  export DISPLAY=:$(cat "$display_file")
  rm -f "$display_file"

  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    echo "$name: making the Wine prefix $WINEPREFIX"
    "$wine" wineboot --init </dev/null >/dev/null 2>&1
  fi
  # (It answers 2 when one is already serving this prefix, which is as good.)
  wineserver -p </dev/null >/dev/null 2>&1 || true
  # Wine's own services start with the first program and live on; started
  # here, they hold no test's output open (CTest would wait for it forever).
  "$wine" wineboot </dev/null >/dev/null 2>&1
}

stop_wine_session() {
  wineserver -k >/dev/null 2>&1 || true
  kill "$wine_session_xvfb" 2>/dev/null || true
}

# An X display for Wine. Sourced by the scripts that run Windows programs.
#
# qov_ensure_display: keeps $DISPLAY when there is one; otherwise starts an
# Xvfb of our own (1024x768, 24 bits) on a display number the server picks
# itself, so runs started at the same time never collide.
# qov_stop_own_display: stops that Xvfb, if we started one.

QOV_XVFB_PID=

qov_ensure_display() {
  [[ -n ${DISPLAY:-} ]] && return 0
  local number_file
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" 2>/dev/null &
  QOV_XVFB_PID=$!
  local tries
  for ((tries = 0; tries < 100; tries++)); do
    if [[ -s $number_file ]]; then
      export DISPLAY=":$(head -n1 "$number_file")"
      rm -f "$number_file"
      return 0
    fi
    kill -0 "$QOV_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$number_file"
  echo "Could not start Xvfb" >&2
  return 1
}

qov_stop_own_display() {
  if [[ -n $QOV_XVFB_PID ]]; then
    kill "$QOV_XVFB_PID" 2>/dev/null || true
    wait "$QOV_XVFB_PID" 2>/dev/null || true
    QOV_XVFB_PID=
    unset DISPLAY  # it named the display just stopped: a later qov_ensure_display starts another
  fi
}

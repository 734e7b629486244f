# Sourced by the scripts that show the window: starts a private Xvfb on a free display and
# exports DISPLAY; it, and every pid added to cleanup_pids, is stopped when the script exits.
cleanup_pids=()
trap 'kill "${cleanup_pids[@]}" 2>/dev/null || true' EXIT

start_xvfb() { # [screen size, default 1280x960x24]
    exec 3< <(exec Xvfb -displayfd 1 -screen 0 "${1:-1280x960x24}" -nolisten tcp 2>/dev/null)
    cleanup_pids+=("$!")
    local display
    read -r display <&3
    export DISPLAY=":$display"
}

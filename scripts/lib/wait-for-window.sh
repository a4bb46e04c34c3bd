# Sourced by the scripts that drive the viewer on an X display.

# The id of a visible window of exactly that title, once there is one (empty after 20 s).
# Asked again and again rather than with --sync: xdotool dies of an X error when a window
# goes away while it walks the tree (the file dialog closing as the box opens).
wait_for_window() {
    local id=""
    for _ in $(seq 100); do
        id=$(timeout 5 xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) || true
        [ -n "$id" ] && break
        sleep 0.2
    done
    echo "$id"
}

# Sourced by the scripts that start the game or its tests: on_display runs a
# command on the current display, or on a virtual one when there is none.
on_display() {
    if [ -n "${DISPLAY:-}" ]; then
        "$@"
    else
        # -noreset: Xvfb otherwise restarts whenever its last client leaves, and a
        # program that connects during that restart dies on a broken connection.
        xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" "$@"
    fi
}

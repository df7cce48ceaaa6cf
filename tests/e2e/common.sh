# Shared steps of the end-to-end runs: a fresh copy of the run directory
# without settings or saves, the real game started on the test display, and
# clicks given in the game's 1920 x 1080 view units. Sourced, not run.

# e2e_prepare RUN_DIR ARTEFACT_DIR: sets run_dir, artefacts and work, and
# enters a fresh copy of the run directory that is removed on exit.
e2e_prepare() {
    run_dir=$(cd "$1" && pwd)
    artefacts=$2
    mkdir -p "$artefacts"
    artefacts=$(cd "$artefacts" && pwd)
    if [ -z "${DISPLAY:-}" ]; then
        echo "No display: run the tests under xvfb-run (scripts/test.sh does)." >&2
        exit 1
    fi
    work=$(mktemp -d)
    pid=""
    trap e2e_cleanup EXIT
    cp -r "$run_dir"/. "$work"/
    rm -rf "$work/Config.cfg" "$work"/data/SaveData/* "$work/SaveData"
    cd "$work"
}

e2e_cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}

# Starts the game, waits for its window and moves it to the screen's corner
# (there is no window manager to place it). Sets pid and the window's X, Y,
# WIDTH and HEIGHT.
e2e_start_game() {
    ALSOFT_DRIVERS=${ALSOFT_DRIVERS:-null} ./vantreth >stdout.txt 2>stderr.txt &
    pid=$!
    local wid
    # This game's own window: the previous run's may still be closing, and
    # taken for this one it sends the clicks and keys astray.
    wid=$(timeout 60 xdotool search --sync --onlyvisible --pid "$pid" --name '^Vantreth$' | head -n 1)
    [ -n "$wid" ] || { echo "FAIL: the game window never appeared" >&2; exit 1; }
    xdotool windowmove "$wid" 0 0
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    # The window opens black and stays so while the art loads, which a
    # sanitizer build or a busy machine stretches to many seconds; the first
    # clicks must not go to a game that cannot see them yet.
    local mean
    for _ in $(seq 1 120); do
        mean=$(import -window root -resize 64x36 png:- 2>/dev/null | /usr/bin/convert - -format '%[fx:mean]' info: 2>/dev/null || echo 0)
        awk -v m="$mean" 'BEGIN { exit !(m > 0.02) }' && return 0
        sleep 0.5
    done
    echo "FAIL: the game never drew its first picture" >&2
    exit 1
}

# e2e_point VIEW_X VIEW_Y: moves the pointer to a point of the game's view.
e2e_point() {
    xdotool mousemove $((X + $1 * WIDTH / 1920)) $((Y + $2 * HEIGHT / 1080))
    sleep 0.3
}

# Presses and releases the left button across several frames, since the game
# reads the mouse once a frame.
e2e_click() {
    xdotool mousedown 1
    sleep 0.15
    xdotool mouseup 1
}

# Screenshots back checks: each one taken is looked at by one of the helpers
# below, in rectangles of the game's 1920 x 1080 view, and kept in ARTEFACT_DIR.

# e2e_shot NAME: the display now, as ARTEFACT_DIR/NAME.png.
e2e_shot() {
    import -window root "$artefacts/$1.png"
}

# e2e_geometry X Y W H: a rectangle of the view as ImageMagick geometry on the screen.
e2e_geometry() {
    echo "$(($3 * WIDTH / 1920))x$(($4 * HEIGHT / 1080))+$((X + $1 * WIDTH / 1920))+$((Y + $2 * HEIGHT / 1080))"
}

# e2e_amber NAME X Y W H: the share (0 to 1) of the rectangle's pixels in the
# amber of the game's titles, values and lit buttons, which no level shows.
e2e_amber() {
    /usr/bin/convert "$artefacts/$1.png" -crop "$(e2e_geometry "$2" "$3" "$4" "$5")" +repage -fuzz 6% \
        -fill black +opaque '#F2A33A' -fill white -opaque '#F2A33A' -format '%[fx:mean]' info:
}

# e2e_difference A B X Y W H: how much two screenshots differ in the rectangle (a mean from 0 to 1).
e2e_difference() {
    local area
    area=$(e2e_geometry "$3" "$4" "$5" "$6")
    /usr/bin/convert \( "$artefacts/$1.png" -crop "$area" +repage \) \( "$artefacts/$2.png" -crop "$area" +repage \) \
        -compose difference -composite -colorspace gray -format '%[fx:mean]' info:
}

# e2e_changed A B X Y W H: the share of the rectangle's pixels that differ
# clearly between screenshots A and B. A scrolled view changes every edge of
# every wall; a sprite walking in a still view changes a few hundred pixels,
# however the mean difference of a dark, flat level compares them.
e2e_changed() {
    local area
    area=$(e2e_geometry "$3" "$4" "$5" "$6")
    /usr/bin/convert \( "$artefacts/$1.png" -crop "$area" +repage \) \( "$artefacts/$2.png" -crop "$area" +repage \) \
        -compose difference -composite -colorspace gray -threshold 4% -format '%[fx:mean]' info:
}

# e2e_lit X Y W H: whether the rectangle of the view now shows a lit button's
# amber frame. Buttons slide in for a number of frames, which a sanitizer
# build stretches to many seconds, so the runs wait for this before a click.
e2e_lit() {
    import -window root "$artefacts/.now.png"
    local share
    share=$(/usr/bin/convert "$artefacts/.now.png" -crop "$(e2e_geometry "$1" "$2" "$3" "$4")" +repage -fuzz 6% \
        -fill black +opaque '#F2A33A' -fill white -opaque '#F2A33A' -format '%[fx:mean]' info:)
    awk -v s="$share" 'BEGIN { exit !(s > 0.01) }'
}

# e2e_press X Y W H WHAT: points at the button of that size centred at (X, Y),
# waits until it lights up under the pointer and has stopped (two grabs a
# moment apart alike: a button lit by the menu's focus lights on its way in
# too), moving the pointer a little meanwhile as a hand does, and clicks it.
e2e_press() {
    local x=$(($1 - $3 / 2)) y=$(($2 - $4 / 2)) i
    for i in $(seq 1 120); do
        e2e_point $(($1 + i % 2)) "$2"
        e2e_lit "$x" "$y" "$3" "$4" || continue
        cp "$artefacts/.now.png" "$artefacts/.before.png"
        sleep 0.3
        e2e_lit "$x" "$y" "$3" "$4" || continue
        awk -v d="$(e2e_difference .before .now "$x" "$y" "$3" "$4")" 'BEGIN { exit !(d < 0.01) }' || continue
        # Held across a few frames even of a slow build.
        xdotool mousedown 1
        sleep 0.4
        xdotool mouseup 1
        sleep 0.8
        return 0
    done
    echo "FAIL: $5 never lit up under the pointer" >&2
    exit 1
}

# e2e_wait_unlit X Y W H WHAT: waits until the rectangle shows no lit button,
# as when the page that had one there has been left.
e2e_wait_unlit() {
    local i
    for i in $(seq 1 120); do
        e2e_lit "$1" "$2" "$3" "$4" || return 0
        sleep 0.25
    done
    echo "FAIL: $5" >&2
    exit 1
}

# e2e_check VALUE OP LIMIT WHAT: ends the run with WHAT unless VALUE OP LIMIT (OP is > or <).
e2e_check() {
    awk -v v="$1" -v op="$2" -v l="$3" 'BEGIN { exit !((op == ">" && v > l) || (op == "<" && v < l)) }' ||
        { echo "FAIL: $4 ($1, not $2 $3)" >&2; exit 1; }
}

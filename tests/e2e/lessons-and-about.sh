#!/usr/bin/env bash
# The lessons page, the about box and the update window in the real program under
# Xvfb, with real pointer and key events.
#
#   lessons-and-about.sh lessons|update VIMSEL LESSONS_FOLDER OUT_DIR
#
# lessons: the "Μαθήματα" tab opens the whole tree; a device lesson shows its wiring
#          picture and an exercise its program once scrolled to them; a lesson whose
#          document is missing shows the fallback page; "Σχετικά..." shows the about
#          box twice, and a click closes it.
# update:  with an update server set in "Options.ini" (a local python http.server
#          offering version 0.97), the update window appears at start-up, asks the
#          server once, and waits with the new version's address until the pupil
#          closes it with its button; the main window then appears as usual.
#
# The program runs from a copy in OUT_DIR with a copy of the lessons beside it. With
# VIMSEL_SCREENSHOT_DIR set, the pictures of the README are saved there.
set -eEuo pipefail

# Window-relative points (DejaVu fonts, the window as the program opens it, 1000×750).
LESSONS_TAB=(271 76)
ABOUT_MENU=(294 8)       # "Σχετικά...", right of the "Προβολή" and "Arduino" menus
TREE_BACKGROUND=(150 640)
LESSON_LED=(100 120)      # "Led Λαμπάκι"
LESSON_EXERCISE3=(87 329) # "Άσκηση 3"
LESSON_EXERCISE4=(87 348) # "Άσκηση 4", whose document this test removes
BROWSER=(230 93 765 590)  # x y width height of the page
PAGE_SPOT=(980 400)       # in the page, right of the text
TREE_COLOUR="125,181,172"
HEADING="89,38,81"        # the lessons' titles
UNO_BOARD="0,122,135"     # the board in the wiring pictures
START_BLOCK="0,128,0" LOOP_BLOCK="128,0,0"
TIP_BOX="238,247,245"     # the fallback page's note
NAVY="0,0,128"            # the about box's description
CLOSE_BUTTON=(478 186)    # "Κλείσιμο", relative to the update window
TIMEOUT=20

if [ $# -ne 4 ]; then
  echo "usage: $0 lessons|update VIMSEL LESSONS_FOLDER OUT_DIR" >&2
  exit 2
fi
CASE=$1 VIMSEL=$2 LESSONS=$3 OUT=$4
case "$CASE" in lessons | update) ;; *) echo "unknown case '$CASE' (lessons or update)" >&2; exit 2 ;; esac

source "$(dirname "$0")/harness.sh"

# How many pixels of a colour a window-relative rectangle shows.
count_colour() { # x y width height colour
  import -display "$DISPLAY" -window root -crop "$3x$4+$(abs_x "$1")+$(abs_y "$2")" +repage -depth 8 txt:- \
    | grep -c "($5)" || true
}
page_shows() { # colour minimum
  [ "$(count_colour "${BROWSER[@]}" "$1")" -ge "$2" ]
}
click() { # x y
  xdotool mousemove "$(abs_x "$1")" "$(abs_y "$2")" click 1
}
# Gives the page the keyboard focus and turns the wheel down.
scroll_page() { # clicks
  click "${PAGE_SPOT[@]}"
  sleep 0.2
  for ((i = 0; i < $1; i++)); do xdotool click 5; sleep 0.03; done
  sleep 0.5
}
# Saves the main window, or the last dialog, for the README.
docs_shot() { # name [window]
  [ -n "${VIMSEL_SCREENSHOT_DIR:-}" ] || return 0
  import -display "$DISPLAY" -window "${2:-$WIN}" "$VIMSEL_SCREENSHOT_DIR/$1"
}

STEP="preparing the program's folder"
program_copy "$VIMSEL" "$WORK/board"
cp -r "$LESSONS" "$PROG/Lessons"

if [ "$CASE" = lessons ]; then
  rm "$PROG/Lessons/Βασικά/Άσκηση 4.htm"
  start_xvfb
  start_program "$PROG/vimsel"
  shot "started"

  STEP="opening the lessons page"
  click "${LESSONS_TAB[@]}"
  # A loaded machine may lose the click (the lessons page loads its browser once
  # shown): it is given once more.
  sleep 1
  [ "$(pixel_at "$(abs_x "${TREE_BACKGROUND[0]}")" "$(abs_y "${TREE_BACKGROUND[1]}")" || true)" = "$TREE_COLOUR" ] \
    || click "${LESSONS_TAB[@]}"
  expect_colour "the lessons tree" "${TREE_BACKGROUND[@]}" "$TREE_COLOUR"
  # The browser's arrival gives the main window a new X window (it now composes with
  # OpenGL): WIN must name the new one.
  sleep 0.5
  main_window
  window_geometry
  shot "lessons-page"

  STEP="reading the LED lesson"
  click "${LESSON_LED[@]}"
  wait_for "the LED lesson's title" page_shows "$HEADING" 300
  main_window
  window_geometry
  scroll_page 10
  wait_for "the LED lesson's wiring picture" page_shows "$UNO_BOARD" 2000
  shot "device-lesson"
  docs_shot lessons-device.png

  STEP="reading exercise 3"
  click "${LESSON_EXERCISE3[@]}"
  exercise_top() { page_shows "$HEADING" 300 && ! page_shows "$UNO_BOARD" 1; }
  wait_for "exercise 3 from its top" exercise_top
  scroll_page 18
  exercise_program() { page_shows "$START_BLOCK" 500 && page_shows "$LOOP_BLOCK" 500; }
  wait_for "the program of exercise 3" exercise_program
  shot "exercise"
  docs_shot lessons-exercise.png

  STEP="asking for a lesson without its document"
  click "${LESSON_EXERCISE4[@]}"
  fallback() { page_shows "$HEADING" 300 && page_shows "$TIP_BOX" 5000; }
  wait_for "the page that says the lesson was not found" fallback
  shot "fallback"

  for showing in first second; do
    STEP="showing the about box ($showing time)"
    click "${ABOUT_MENU[@]}"
    wait_for_dialog "the about box"
    sleep 1.5  # the fade-in
    eval "$(xdotool getwindowgeometry --shell "$DIALOG" | grep -E '^(WIDTH|HEIGHT)=')"
    [ "$WIDTH" -ge 633 ] && [ "$HEIGHT" -ge 436 ] || fail "the about box is ${WIDTH}x$HEIGHT"
    about_text() { [ "$(import -display "$DISPLAY" -window "$DIALOG" -depth 8 txt:- | grep -c "($NAVY)" || true)" -ge 500 ]; }
    wait_for "the about box's description" about_text
    shot "about-$showing"
    [ $showing = first ] && docs_shot about-box.png "$DIALOG"
    STEP="clicking the about box ($showing time)"
    eval "$(xdotool getwindowgeometry --shell "$DIALOG" | grep -E '^(X|Y)=')"
    xdotool mousemove $((X + 300)) $((Y + 200)) click 1
    wait_for_dialog_closed "the about box to close"
  done
  shot "after"
else
  STEP="starting the update server"
  mkdir -p "$WORK/site"
  printf 'latest=0.97' >"$WORK/site/version.ver"
  command -v python3 >/dev/null || fail "python3 is missing; run scripts/install-deps.sh"
  python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$WORK/site" >"$WORK/http.log" 2>&1 &
  HTTP_PID=$!
  trap 'kill $HTTP_PID 2>/dev/null || true; cleanup' EXIT
  http_port() { HTTP_PORT=$(sed -n 's/.* port \([0-9]*\) .*/\1/p' "$WORK/http.log" | head -n 1); [ -n "$HTTP_PORT" ]; }
  wait_for "the update server's port" http_port
  printf '[Update]\r\nBaseUrl=http://127.0.0.1:%s/\r\n' "$HTTP_PORT" >"$PROG/Options.ini"

  start_xvfb
  # The update window comes first: the main window appears once it has closed.
  STEP="starting the program"
  "$PROG/vimsel" >"$WORK/vimsel.log" 2>&1 &
  APP_PID=$!
  update_window() {
    kill -0 "$APP_PID" 2>/dev/null || fail "the program exited"
    DIALOG=$(xdotool search --onlyvisible --name '^Check New Version$' 2>/dev/null | head -n 1 || true)
    [ -n "$DIALOG" ]
  }
  wait_for "the update window" update_window
  eval "$(xdotool getwindowgeometry --shell "$DIALOG" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  [ "$WIDTH" -ge 529 ] && [ "$HEIGHT" -ge 209 ] || fail "the update window is ${WIDTH}x$HEIGHT"
  DIALOG_X=$X DIALOG_Y=$Y

  STEP="waiting for the check"
  asked() { grep -q '"GET /version.ver HTTP/1.1" 200' "$WORK/http.log"; }
  wait_for "the version file to be asked for" asked
  sleep 2  # it would have closed by now if there were nothing to read
  update_window || fail "the update window closed without showing the new version"
  shot "update-window"
  docs_shot update-window.png "$DIALOG"
  [ "$(grep -c 'GET ' "$WORK/http.log")" -eq 1 ] || fail "the server was asked more than once: $(cat "$WORK/http.log")"

  STEP="closing the update window"
  xdotool mousemove $((DIALOG_X + CLOSE_BUTTON[0])) $((DIALOG_Y + CLOSE_BUTTON[1])) click 1
  update_closed() { ! update_window; }
  wait_for "the update window to close" update_closed
  STEP="starting up after the update window"
  main_shown() { kill -0 "$APP_PID" 2>/dev/null || fail "the program ended"; main_window; }
  wait_for "the main window" main_shown
  window_geometry
  [ "$WIN_W" -ge 1000 ] || fail "the main window is ${WIN_W}x$WIN_H"
  sleep 0.5
  shot "after"
fi

PASSED=1
echo "[$CASE] passed in ${SECONDS}s"

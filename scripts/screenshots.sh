#!/bin/sh
# Takes the screenshots of the documentation on a virtual X server: the main
# window (korvane without argument) and the "Messages" window (korvane -h),
# written as docs/main-window.png and docs/messages-window.png, and the
# paged viewer (tests/panels/panel_show viewer) as docs/viewer-window.png,
# and the simulator's panels (panel_show simulator) as
# docs/simulator-input.png and docs/simulator-output.png.
#   sh scripts/screenshots.sh [path/to/korvane]
# Without a path, korvane is built with the release preset first.
set -eu
cd "$(dirname "$0")/.."

if [ "${1:-}" != "--on-display" ]; then
  scripts/install-deps.sh screenshots
  if [ $# -ge 1 ]; then
    korvane=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
  else
    cmake --preset release >/dev/null
    cmake --build --preset release --target korvane panel_show
    korvane=$PWD/build/release/driver/korvane
  fi
  panel_show=$(dirname "$korvane")/../tests/panels/panel_show
  exec xvfb-run -a -s "-screen 0 1280x1024x24" \
    sh "$0" --on-display "$korvane" "$PWD/docs" "$panel_show"
fi

korvane=$2
docs=$3
panel_show=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$docs"

# Waits for the visible window of process $1 named like $2 and prints its id.
window_of() {
  timeout 20 xdotool search --sync --all --onlyvisible --pid "$1" --name "$2" |
    head -n 1
}

# Writes window $1 as the PNG file $2.
shoot() {
  sleep 0.5  # let the toolkit draw the whole window
  xwd -silent -id "$1" -out "$work/shot.xwd"
  convert "xwd:$work/shot.xwd" "png:$2"
  echo "wrote $2"
}

# The main window, then its "Quit" button.
(cd "$work" && exec "$korvane") &
pid=$!
main=$(window_of "$pid" '^korvane$')
shoot "$main" "$docs/main-window.png"
xdotool mousemove --sync --window "$main" 642 312 click 1
wait "$pid"

# The "Messages" window with the English help, then its "Quit" button.
(cd "$work" && exec "$korvane" -h) &
pid=$!
messages=$(window_of "$pid" '^Messages$')
shoot "$messages" "$docs/messages-window.png"
xdotool mousemove --sync --window "$messages" 275 545 click 1
wait "$pid"

# The paged viewer over a sample listing, then its "CANCEL" button.
(cd "$work" && exec "$panel_show" viewer) &
pid=$!
viewer=$(window_of "$pid" '')
shoot "$viewer" "$docs/viewer-window.png"
xdotool mousemove --sync --window "$viewer" 85 455 click 1
wait "$pid"

# The simulator's input and output panels, then the input panel's "QUIT".
(cd "$work" && exec "$panel_show" simulator) &
pid=$!
inputs=$(window_of "$pid" '^Inputs Pannel$')
outputs=$(window_of "$pid" '^Outputs$')
shoot "$inputs" "$docs/simulator-input.png"
shoot "$outputs" "$docs/simulator-output.png"
xdotool mousemove --sync --window "$inputs" 360 280 click 1
wait "$pid"

#!/bin/sh
# Runs a test program on its own virtual X server: xvfb-run picks a free
# display number (and tries the next one when two runs meet), so the GUI
# tests can run in parallel. Leaks of the font libraries under the toolkit
# are not ours: the suppression file of this folder hides them from
# LeakSanitizer in sanitized builds.
here=$(cd "$(dirname "$0")" && pwd)
LSAN_OPTIONS="suppressions=$here/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export LSAN_OPTIONS
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$@"

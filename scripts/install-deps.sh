#!/bin/sh
# Installs the Debian packages that a task needs, when some are missing.
#   scripts/install-deps.sh run|test|bench|screenshots
set -eu

build="cmake ninja-build g++ bison flex libfl-dev libfltk1.3-dev"
case "${1:-test}" in
  run)   pkgs="$build" ;;
  # The tests also feed the generated files to the real tools that read them
  # (netlists, VHDL, C#, LaTeX, xfig, PostScript, PDF; yosys for the user's
  # guide), drive the windows under a virtual X server, build the
  # parsers' fuzz targets with clang and check the house format.
  test)  pkgs="$build libgtest-dev xvfb xauth xdotool berkeley-abc yosys ghdl
               mono-mcs mono-runtime texlive-latex-base texlive-latex-recommended
               texlive-fonts-recommended texlive-lang-french
               fig2dev ghostscript qpdf poppler-utils
               clang libclang-rt-14-dev clang-format" ;;
  bench) pkgs="$build libbdd-dev yosys" ;;
  screenshots) pkgs="$build xvfb xauth xdotool x11-apps imagemagick" ;;
  *) echo "usage: $0 run|test|bench|screenshots" >&2; exit 2 ;;
esac

missing=""
for p in $pkgs; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
[ -z "$missing" ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "installing:$missing"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y $missing

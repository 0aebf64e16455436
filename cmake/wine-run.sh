#!/bin/bash
# Runs a Windows program of the build under Wine with the build's private
# prefix. The displays and the prefixes are prepared by ./qrv (cmake/harness.sh).
exe="$1"; shift
case "$(head -c 512 "$exe" | od -An -tx1 | tr -d ' \n' | grep -o '50450000....' | head -1)" in
  504500006486) loader=/usr/lib/wine/wine64 ;;
  *)            loader=/usr/lib/wine/wine ;;
esac
[ -x "$loader" ] || loader=wine
# A program CTest gave one of the displays ./qrv started (QRV_DISPLAY_<id>)
# runs on it, in that display's own Wine prefix: two programs side by side
# share no clipboard, registry or temporary folder. Display 0 is the one
# the environment names.
display="${CTEST_RESOURCE_GROUP_0_DISPLAY:-}"
display="${display#id:}"; display="${display%%,*}"
if [ -n "$display" ] && [ "$display" != 0 ]; then
  var="QRV_DISPLAY_$display"
  source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
  export DISPLAY="${!var:?no display $display was started}" WINEPREFIX="$(qrv_display_prefix "$display")"
fi
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec "$loader" "$exe" "$@"

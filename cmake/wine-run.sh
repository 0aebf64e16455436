#!/bin/bash
# Runs a Windows program of the build under Wine with the build's private
# prefix. The display and the prefix are prepared by ./qrv (tests/support/wine-env.sh).
exe="$1"; shift
case "$(head -c 512 "$exe" | od -An -tx1 | tr -d ' \n' | grep -o '50450000....' | head -1)" in
  504500006486) loader=/usr/lib/wine/wine64 ;;
  *)            loader=/usr/lib/wine/wine ;;
esac
[ -x "$loader" ] || loader=wine
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec "$loader" "$exe" "$@"

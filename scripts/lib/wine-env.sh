# Sourced by scripts: a private, fast wine prefix for tests and the demo.
#   wine_prefix_ready DIR   makes DIR a prefix (copied from a cached template) and exports WINEPREFIX
#   wine_server_start [KEEPER]
#                           keeps one wineserver up, so each wine run takes milliseconds; KEEPER,
#                           a program that holds a hidden window, keeps the desktop process up too
#   wine_server_stop
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}

wine_template_dir() { echo "${ADJUSTUI_WINE_CACHE:-$HOME/.cache/adjustui}/wine-template"; }

wine_template_ready() {
    local tpl; tpl=$(wine_template_dir)
    [ -f "$tpl/.complete" ] && return 0
    rm -rf "$tpl"; mkdir -p "$tpl"
    WINEPREFIX="$tpl" wineboot -i >/dev/null 2>&1
    WINEPREFIX="$tpl" wineserver -w
    # No window manager: without this every window close stalls.
    WINEPREFIX="$tpl" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    WINEPREFIX="$tpl" wineserver -w
    # Wine's own fonts give stable dialog sizes (Tahoma behind "MS Shell Dlg").
    cp /usr/share/wine/fonts/*.ttf "$tpl/drive_c/windows/Fonts/" 2>/dev/null || true
    touch "$tpl/.complete"
}

wine_prefix_ready() {
    local dir=$1
    wine_template_ready || return 1
    rm -rf "$dir"; mkdir -p "$(dirname "$dir")"
    cp -a "$(wine_template_dir)" "$dir"
    rm -f "$dir/.complete"
    # Wine's own faces (fonts-wine), also when the cached template predates them.
    cp /usr/share/wine/fonts/*.ttf "$dir/drive_c/windows/Fonts/" 2>/dev/null || true
    export WINEPREFIX=$dir
}

wine_server_start() {
    wineserver -p
    wine cmd /c exit >/dev/null 2>&1
    if [ -n "${1:-}" ]; then
        (wine "$1" </dev/null >/dev/null 2>&1 &)
    fi
}

wine_server_stop() {
    wineserver -k 2>/dev/null || true
}

# Sourced by scripts: makes sure the Debian packages a step needs are installed.
#   need_packages PKG...   installs the missing ones when run as root, else names them and fails
need_packages() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "missing Debian packages: ${missing[*]} (run as root, or: sudo apt-get install ${missing[*]})" >&2
        return 1
    fi
    echo "installing ${missing[*]}" >&2
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq >/dev/null && apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Everything that builds both presets and runs their tests. fonts-wine brings Tahoma, the face of
# the dialogs' "MS Shell Dlg", in which the page's texts must fit; the CJK font brings the faces
# for vertical writing that the page's font list leaves out.
ADJUSTUI_PACKAGES=(cmake ninja-build g++ clang clang-format libclang-rt-14-dev libgtest-dev googletest g++-mingw-w64-x86-64
                   wine wine64 xvfb xauth fonts-wine fonts-wqy-microhei)

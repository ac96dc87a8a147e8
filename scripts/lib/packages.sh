# Installs the Debian packages a script needs, or says exactly how to.
# Usage: . scripts/lib/packages.sh; ensure_packages pkg...
# Packages of another architecture (pkg:i386) need ensure_architecture first.

missing_packages() {
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || echo "$pkg"
    done
}

# Prints what runs a command as root here: nothing when we are root, "sudo"
# when it needs no password; fails when neither.
root_runner() {
    if [ "$(id -u)" -eq 0 ]; then
        echo ""
    elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
        echo sudo
    else
        return 1
    fi
}

ensure_packages() {
    local missing sudo
    missing=$(missing_packages "$@" | tr '\n' ' ')
    [ -z "${missing// /}" ] && return 0
    echo "Installing: $missing"
    if sudo=$(root_runner); then
        $sudo apt-get update -qq
        $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing
    else
        echo "These packages are missing: $missing" >&2
        echo "Install them with:  sudo apt-get install -y $missing" >&2
        exit 1
    fi
}

# Lets dpkg install packages built for another architecture (i386 beside amd64).
ensure_architecture() {
    local sudo
    [ "$(dpkg --print-architecture)" = "$1" ] && return 0
    dpkg --print-foreign-architectures | grep -qx "$1" && return 0
    echo "Adding the dpkg architecture $1"
    if sudo=$(root_runner); then
        $sudo dpkg --add-architecture "$1"
    else
        echo "dpkg does not take $1 packages yet. Allow it with:  sudo dpkg --add-architecture $1" >&2
        exit 1
    fi
}

# The package that holds the sanitizer and libFuzzer runtime of the machine's
# own clang (installed first): the one that owns it when it is there, else
# libclang-rt-N-dev for clang N, or libclang-common-N-dev where the runtime
# has no package of its own.
clang_runtime_package() {
    local runtime owner major
    runtime=$(clang -print-file-name="libclang_rt.fuzzer-$(uname -m).a")
    if [ -f "$runtime" ] && owner=$(dpkg -S "$runtime" 2>/dev/null); then
        echo "${owner%%:*}"
        return 0
    fi
    major=$(clang -dumpversion)
    major=${major%%.*}
    if apt-cache show "libclang-rt-$major-dev" >/dev/null 2>&1; then
        echo "libclang-rt-$major-dev"
    else
        echo "libclang-common-$major-dev"
    fi
}

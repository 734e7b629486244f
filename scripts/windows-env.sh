# Sourced by the Windows build and test scripts: where the cross-built Qt and GoogleTest live,
# the program's version, and the folders of the build.
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cache_root="${QT_WINDOWS_CACHE:-${XDG_CACHE_HOME:-${HOME:-/var/tmp}/.cache}/mandati/qt-windows}"
triple=x86_64-w64-mingw32
version="$(sed -n 's/^ *VERSION \([0-9][0-9.]*\)$/\1/p' "$here/CMakeLists.txt" | head -n 1)"
win_out="$here/build/windows"
win_build="$win_out/build"
win_stage="$win_out/stage"
# The MinGW runtime the program and Qt link against (POSIX threads).
mingw_runtime_dirs=("$(dirname "$("$triple-g++-posix" -print-libgcc-file-name)")" "/usr/$triple/lib")
# Where qt6-base-dev keeps the host Qt's CMake packages (moc, rcc and uic for the cross build).
host_qt_cmake_dir="$(dirname "$(dirname "$(dpkg -L qt6-base-dev | grep -m1 '/cmake/Qt6/Qt6Config.cmake$')")")"

# Wine's name for a path of this machine.
wine_path() { echo "Z:${1//\//\\}"; }

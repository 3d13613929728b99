# Sourced by the scripts that build a tree of their own. The trees are
# generated for Ninja; a tree made earlier for make is made again, since
# CMake cannot change a tree's generator.
# Usage: ninja_tree FOLDER
ninja_tree() {
  if [[ -f "$1/CMakeCache.txt" ]] && ! grep -qx 'CMAKE_GENERATOR:INTERNAL=Ninja' "$1/CMakeCache.txt"; then
    rm -rf "$1"
  fi
}

#!/bin/sh
# The framework's folders stack, lowest first: a file includes its own folder
# and those below it, never one above, so no two folders depend on each other.
# Usage: check_layers.sh <src/framework/core/framework>
layers="runtime text picture folder_item property_stream controls window application menu qt"
[ -d "$1/runtime" ] || { echo "no framework at $1"; exit 1; }

grep -rHo '#include "framework/[a-z_]*/' "$1" | awk -F: -v layers="$layers" '
  BEGIN { n = split(layers, order, " "); for (i = 1; i <= n; i++) rank[order[i]] = i }
  {
    k = split($1, path, "/"); from = path[k - 1]
    split($2, include, "/"); to = include[2]
    if (!(from in rank) || !(to in rank)) { print $1 ": folder " (from in rank ? to : from) " has no place in the order"; bad = 1 }
    else if (rank[to] > rank[from]) { print $1 " includes " to "/, which stands above " from "/"; bad = 1 }
  }
  END { exit bad }'

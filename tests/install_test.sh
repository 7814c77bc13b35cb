#!/usr/bin/env bash
# Checks the manual page renders without a single warning, also at 80
# columns, and that
# `cmake --install` into a fresh prefix gives a working Tollivex, its page,
# its bash completion, and its copyright and changelog.
#   install_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$1 build=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

if command -v groff >/dev/null; then
  warnings=$(groff -t -man -ww -z "$src/doc/Tollivex.1" 2>&1)
  if command -v man >/dev/null; then  # As a terminal of 80 columns shows it.
    warnings+=$(MANWIDTH=80 man --warnings -l "$src/doc/Tollivex.1" 2>&1 >/dev/null)
  fi
  [ -z "$warnings" ] || { echo "groff warnings:"; echo "$warnings"; exit 1; }
else
  echo "groff is not installed: rendering check skipped"
fi

cmake --install "$build" --prefix "$prefix" >/dev/null
gzip -dc "$prefix/share/man/man1/Tollivex.1.gz" | cmp - "$src/doc/Tollivex.1"
cmp "$src/completion/Tollivex" \
  "$prefix/share/bash-completion/completions/Tollivex"
grep -q '^License: Expat$' "$prefix/share/doc/tollivex/copyright"
gzip -dc "$prefix/share/doc/tollivex/changelog.gz" | head -n 1 |
  grep -q "^tollivex ($("$prefix/bin/Tollivex" --version | cut -d' ' -f2))"
cd "$prefix"
out=$("$prefix/bin/Tollivex" -kin app 0 7 2>/dev/null)
[ "$out" = "Producing image file: app.sx" ]
[ "$(cat app.sx)" = "S01F000044756D6D7953524543000000000000000000000001016170702E73784B
S10B0000FFFFFFFFFFFFFFFFFC
S9030000FC" ]
echo "installed Tollivex, its manual page, completion and docs work"

#!/usr/bin/env bash
# Fetches the SQLite 3.44.2 amalgamation (public domain) from the npm package
# that ships it, checks both checksums and unpacks sqlite3.c and sqlite3.h into
# .deps/sqlite. Nothing third-party is committed. Safe to run again.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dest="$top/.deps/sqlite"
[ -f "$dest/sqlite3.c" ] && [ -f "$dest/sqlite3.h" ] && exit 0

outer_sha=44cc9bdee02705a7b636f76968d745e21c1d0b2f1c62810c678bc3b0ececab1b
inner_sha=1c6719a148bc41cf0f2bbbe3926d7ce3f5ca09d878f1246fcc20767b175bb407
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
npm pack sqlite3@5.1.7 --silent >/dev/null
echo "$outer_sha  sqlite3-5.1.7.tgz" | sha256sum -c --quiet
tar xzf sqlite3-5.1.7.tgz package/deps/sqlite-autoconf-3440200.tar.gz
echo "$inner_sha  package/deps/sqlite-autoconf-3440200.tar.gz" | sha256sum -c --quiet
tar xzf package/deps/sqlite-autoconf-3440200.tar.gz sqlite-autoconf-3440200/sqlite3.c sqlite-autoconf-3440200/sqlite3.h
mkdir -p "$dest"
cp sqlite-autoconf-3440200/sqlite3.c sqlite-autoconf-3440200/sqlite3.h "$dest/"
echo "fetch-sqlite: SQLite 3.44.2 in $dest"

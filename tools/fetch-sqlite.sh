#!/usr/bin/env bash
# Fetches the SQLite 3.44.2 amalgamation (public domain) from the npm package
# that ships it, checks both checksums and unpacks sqlite3.c and sqlite3.h into
# .deps/sqlite. Nothing third-party is committed. Safe to run again.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
# FETCH_SQLITE_DEST (tests only) puts the sources elsewhere.
dest="${FETCH_SQLITE_DEST:-$top/.deps/sqlite}"
[ -f "$dest/sqlite3.c" ] && [ -f "$dest/sqlite3.h" ] && exit 0

outer_sha=44cc9bdee02705a7b636f76968d745e21c1d0b2f1c62810c678bc3b0ececab1b
inner_sha=1c6719a148bc41cf0f2bbbe3926d7ce3f5ca09d878f1246fcc20767b175bb407
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# A failure is said in two lines: what failed with the tool's own words,
# and what to try.
fail() {  # what, what-to-try
  echo "fetch-sqlite: $1" >&2
  echo "fetch-sqlite: $2" >&2
  exit 1
}

if ! npm pack sqlite3@5.1.7 --loglevel=error >npm.out 2>npm.err; then
  # npm 7 and later: "npm error code X" (before npm 10: "npm ERR! code X"),
  # then the request that failed and why.
  code=$(sed -n 's/^npm \(error\|ERR!\) code \(.*\)/\2/p' npm.err | head -n 1)
  why=$({ grep -m1 -o 'request to .*' npm.err || sed -n 's/^npm \(error\|ERR!\) \(404 .*\)/\2/p' npm.err; } | head -n 1)
  [ -n "$code$why" ] || why=$(grep -m1 . npm.err || echo "no message")
  case "$code" in
    SELF_SIGNED_CERT_IN_CHAIN | UNABLE_TO_GET_ISSUER_CERT_LOCALLY | CERT_* | *CERT*)
      try="the registry's certificate is not trusted here: add your network's CA (NODE_EXTRA_CA_CERTS=FILE, or npm config set cafile FILE) and run again" ;;
    ENOTFOUND | EAI_AGAIN | ECONNREFUSED | ECONNRESET | ETIMEDOUT)
      try="check the network and the registry address (npm config get registry), then run again" ;;
    *) try="run 'npm pack sqlite3@5.1.7' by hand to see npm's whole answer" ;;
  esac
  fail "npm could not fetch the SQLite package sqlite3@5.1.7:${code:+ npm error code $code}${why:+${code:+;} $why}" "$try"
fi
echo "$outer_sha  sqlite3-5.1.7.tgz" | sha256sum -c --quiet >/dev/null 2>&1 ||
  fail "sqlite3-5.1.7.tgz from the registry does not have the expected SHA-256 ($outer_sha)" \
    "the registry or a proxy served another file: check npm config get registry, then run again"
tar xzf sqlite3-5.1.7.tgz package/deps/sqlite-autoconf-3440200.tar.gz
echo "$inner_sha  package/deps/sqlite-autoconf-3440200.tar.gz" | sha256sum -c --quiet >/dev/null 2>&1 ||
  fail "the SQLite sources inside sqlite3-5.1.7.tgz do not have the expected SHA-256 ($inner_sha)" \
    "run again; if it persists, the package on the registry has changed"
tar xzf package/deps/sqlite-autoconf-3440200.tar.gz sqlite-autoconf-3440200/sqlite3.c sqlite-autoconf-3440200/sqlite3.h
mkdir -p "$dest"
cp sqlite-autoconf-3440200/sqlite3.c sqlite-autoconf-3440200/sqlite3.h "$dest/"
echo "fetch-sqlite: SQLite 3.44.2 in $dest"

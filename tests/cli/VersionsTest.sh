#!/bin/sh
# The newest release in the Debian changelog and in the AppStream metadata is
# the project's version. Usage: VersionsTest.sh VERSION CHANGELOG METAINFO
head -n 1 "$2" | grep -qF "ovantis ($1-" || { echo "$2 does not begin with $1"; exit 1; }
grep -m 1 '<release ' "$3" | grep -qF "version=\"$1\"" || { echo "$3: newest release not $1"; exit 1; }

#!/bin/sh
# The newest release in the Debian changelog is the project's version.
# Usage: VersionsTest.sh VERSION CHANGELOG
head -n 1 "$2" | grep -qF "ovantis ($1-" || { echo "$2 does not begin with $1"; exit 1; }

#!/bin/sh
# run_unprivileged.sh TEST-BINARY [ARGS...]: runs a GoogleTest binary as a user
# without privileges. Tests about files a user may not read or write skip
# themselves under root, which reads and writes everything; CI runs as root,
# so this is where they get their chance to fail. Every selected test must
# run: a skip or an empty selection fails too.
set -u
if [ "$(id -u)" = 0 ]; then
  if ! command -v setpriv >/dev/null; then
    echo "setpriv is missing: cannot drop the privileges of root" >&2
    exit 1
  fi
  nobody=65534
  home=$(mktemp -d)
  chown "$nobody:$nobody" "$home"
  out=$(setpriv --reuid=$nobody --regid=$nobody --clear-groups env HOME="$home" "$@" 2>&1)
  status=$?
  rm -rf "$home"
else
  out=$("$@" 2>&1)
  status=$?
fi
printf '%s\n' "$out"
[ "$status" = 0 ] || exit "$status"
if printf '%s\n' "$out" | grep -q '^\[  SKIPPED \]'; then
  echo "a test skipped although it runs without privileges" >&2
  exit 1
fi
printf '%s\n' "$out" | grep -Eq '^\[  PASSED  \] [1-9][0-9]* test' || {
  echo "no test ran" >&2
  exit 1
}

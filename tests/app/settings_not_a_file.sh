#!/usr/bin/env bash
# A settings path that is not a regular file (a pipe, a folder, a device) is
# refused with a message naming it, exit status 2, before it is opened: a pipe
# must not block the start for ever.
#
#   tests/app/settings_not_a_file.sh TAVREL   (under a display)
set -uo pipefail
tavrel="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkfifo "$work/pipe.ini"
mkdir "$work/folder.ini"
failed=0
for settings in "$work/pipe.ini" "$work/folder.ini" /dev/null; do
  for how in option environment; do
    if [ "$how" = option ]; then
      err="$(timeout 30 "$tavrel" --settings "$settings" --screenshot "$work/out.png" --import-exe 2>&1 >/dev/null)"
    else
      err="$(TAVREL_SETTINGS="$settings" timeout 30 "$tavrel" --screenshot "$work/out.png" --import-exe 2>&1 >/dev/null)"
    fi
    status=$?
    expected="tavrel: the settings file $settings is not a regular file"
    if [ "$status" -ne 2 ] || [[ "$err" != *"$expected"* ]]; then
      echo "$settings by $how: exit $status, said: $err" >&2
      failed=1
    fi
  done
done
exit "$failed"

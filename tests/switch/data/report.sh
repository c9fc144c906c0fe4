#!/bin/sh
# Writes its path and its arguments in brackets, one a line, to $ZMS_REPORT, then its
# process, group and session ids and its terminal; ends with the exit code in ZMS_END,
# or by SIGKILL when ZMS_END is "kill".
{
  echo "$0"
  for a in "$@"; do echo "[$a]"; done
  read -r stat < /proc/$$/stat
  set -- ${stat##*) }
  echo "$$ $3 $4 $5"
} > "$ZMS_REPORT"
case "$ZMS_END" in
  kill) kill -KILL $$ ;;
  *) exit "${ZMS_END:-0}" ;;
esac

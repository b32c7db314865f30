#!/usr/bin/env bash
# create-database.sh FILE SCRIPT: creates the database FILE from the schema SCRIPT with the server's
# interactive tool (embedded engine), unless FILE exists. The installation gets its database this way.
set -euo pipefail
file=$1 script=$2
[ -f "$file" ] && exit 0
mkdir -p "$(dirname "$file")"
tmp=$file.new
rm -f "$tmp"
# The script is UTF-8: the connection says so, and the server stores its texts in WIN1252.
{ printf "SET NAMES UTF8;\nCREATE DATABASE '%s' PAGE_SIZE 8192 DEFAULT CHARACTER SET WIN1252;\n" "$tmp"; cat "$script"; } |
  isql-fb -q -b -user SYSDBA
mv "$tmp" "$file"

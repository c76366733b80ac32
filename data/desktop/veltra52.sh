#!/bin/sh
# Starts the VELTRA-52 Software from its program folder.
here=$(dirname "$(readlink -f "$0")")
exec "$here/../lib/veltra52/veltra52" "$@"

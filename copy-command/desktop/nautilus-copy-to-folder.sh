#!/bin/sh
# Nautilus script for quintaro-copy: copies the selected files and folders into a
# folder you choose. Nautilus runs a script in the folder on show, with the names
# of the selected items as its arguments.
exec quintaro-copy --progress --choose-destination -- "$@"

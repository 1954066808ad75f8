# Empty custom commands generated dependencies file for installer.
# This may be replaced when dependencies are built.

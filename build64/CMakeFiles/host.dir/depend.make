# Empty dependencies file for host.
# This may be replaced when dependencies are built.

# Empty compiler generated dependencies file for host.
# This may be replaced when dependencies are built.

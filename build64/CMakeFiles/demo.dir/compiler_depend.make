# Empty compiler generated dependencies file for demo.
# This may be replaced when dependencies are built.

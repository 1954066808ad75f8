# Empty dependencies file for peer.
# This may be replaced when dependencies are built.

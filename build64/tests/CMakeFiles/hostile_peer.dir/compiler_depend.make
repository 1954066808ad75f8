# Empty compiler generated dependencies file for hostile_peer.
# This may be replaced when dependencies are built.

# Empty compiler generated dependencies file for quitting_player.
# This may be replaced when dependencies are built.

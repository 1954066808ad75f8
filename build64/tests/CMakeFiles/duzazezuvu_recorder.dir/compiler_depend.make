# Empty compiler generated dependencies file for duzazezuvu_recorder.
# This may be replaced when dependencies are built.

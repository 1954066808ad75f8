# Empty compiler generated dependencies file for browser_recorder.
# This may be replaced when dependencies are built.

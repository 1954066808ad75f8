# Empty compiler generated dependencies file for winamp_client.
# This may be replaced when dependencies are built.

# Empty compiler generated dependencies file for bench_mediakeys.
# This may be replaced when dependencies are built.

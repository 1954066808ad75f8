# Empty compiler generated dependencies file for bench_outputs.
# This may be replaced when dependencies are built.

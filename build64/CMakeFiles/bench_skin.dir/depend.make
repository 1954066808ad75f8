# Empty dependencies file for bench_skin.
# This may be replaced when dependencies are built.

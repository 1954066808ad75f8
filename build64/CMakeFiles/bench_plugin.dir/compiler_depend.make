# Empty compiler generated dependencies file for bench_plugin.
# This may be replaced when dependencies are built.

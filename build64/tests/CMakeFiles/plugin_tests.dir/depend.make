# Empty dependencies file for plugin_tests.
# This may be replaced when dependencies are built.

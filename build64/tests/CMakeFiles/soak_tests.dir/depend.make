# Empty dependencies file for soak_tests.
# This may be replaced when dependencies are built.

# CMake generated Testfile for 
# Source directory: /work/wt-i17
# Build directory: /work/wt-i17/build64
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
subdirs("tests")

# CMake generated Testfile for 
# Source directory: /work/wt-i17/tests
# Build directory: /work/wt-i17/build64/tests
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
include("/work/wt-i17/build64/tests/plugin_tests[1]_include.cmake")
include("/work/wt-i17/build64/tests/soak_tests[1]_include.cmake")
add_test([=[SongFileTwins.HebrewTrackUnderTheHebrewCodePage]=] "/work/wt-i17/tools/wine-run" "/work/wt-i17/build64" "/work/wt-i17/build64/bin/plugin_tests.exe" "--gtest_filter=SongFileTwins.HebrewTrackUnderTheHebrewCodePage")
set_tests_properties([=[SongFileTwins.HebrewTrackUnderTheHebrewCodePage]=] PROPERTIES  ENVIRONMENT "LC_ALL=he_IL.UTF-8" TIMEOUT "120" _BACKTRACE_TRIPLES "/work/wt-i17/tests/CMakeLists.txt;43;add_test;/work/wt-i17/tests/CMakeLists.txt;0;")
add_test([=[module.ImportsAndExports]=] "sh" "/work/wt-i17/tests/check-module.sh" "i686-w64-mingw32-objdump" "/work/wt-i17/build64/bin/Bramblecourt.dll")
set_tests_properties([=[module.ImportsAndExports]=] PROPERTIES  _BACKTRACE_TRIPLES "/work/wt-i17/tests/CMakeLists.txt;50;add_test;/work/wt-i17/tests/CMakeLists.txt;0;")
subdirs("../googletest")

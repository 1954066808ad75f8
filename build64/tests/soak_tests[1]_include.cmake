if(EXISTS "/work/wt-i17/build64/bin/soak_tests.exe")
  if(NOT EXISTS "/work/wt-i17/build64/tests/soak_tests[1]_tests.cmake" OR
     NOT "/work/wt-i17/build64/tests/soak_tests[1]_tests.cmake" IS_NEWER_THAN "/work/wt-i17/build64/bin/soak_tests.exe" OR
     NOT "/work/wt-i17/build64/tests/soak_tests[1]_tests.cmake" IS_NEWER_THAN "${CMAKE_CURRENT_LIST_FILE}")
    include("/usr/share/cmake-3.25/Modules/GoogleTestAddTests.cmake")
    gtest_discover_tests_impl(
      TEST_EXECUTABLE [==[/work/wt-i17/build64/bin/soak_tests.exe]==]
      TEST_EXECUTOR [==[/work/wt-i17/tools/wine-run;/work/wt-i17/build64]==]
      TEST_WORKING_DIR [==[/work/wt-i17/build64/tests]==]
      TEST_EXTRA_ARGS [==[]==]
      TEST_PROPERTIES [==[TIMEOUT;1800;LABELS;soak]==]
      TEST_PREFIX [==[]==]
      TEST_SUFFIX [==[]==]
      TEST_FILTER [==[]==]
      NO_PRETTY_TYPES [==[FALSE]==]
      NO_PRETTY_VALUES [==[FALSE]==]
      TEST_LIST [==[soak_tests_TESTS]==]
      CTEST_FILE [==[/work/wt-i17/build64/tests/soak_tests[1]_tests.cmake]==]
      TEST_DISCOVERY_TIMEOUT [==[120]==]
      TEST_XML_OUTPUT_DIR [==[]==]
    )
  endif()
  include("/work/wt-i17/build64/tests/soak_tests[1]_tests.cmake")
else()
  add_test(soak_tests_NOT_BUILT soak_tests_NOT_BUILT)
endif()

file(REMOVE_RECURSE
  "../bin/soak_tests.exe"
  "../bin/soak_tests.pdb"
  "CMakeFiles/soak_tests.dir/harness.cpp.obj"
  "CMakeFiles/soak_tests.dir/harness.cpp.obj.d"
  "CMakeFiles/soak_tests.dir/soak/soak_test.cpp.obj"
  "CMakeFiles/soak_tests.dir/soak/soak_test.cpp.obj.d"
  "libsoak_tests.dll.a"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/soak_tests.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()

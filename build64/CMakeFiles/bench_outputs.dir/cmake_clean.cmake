file(REMOVE_RECURSE
  "CMakeFiles/bench_outputs.dir/bench/outputs.cpp.obj"
  "CMakeFiles/bench_outputs.dir/bench/outputs.cpp.obj.d"
  "bin/bench_outputs.exe"
  "bin/bench_outputs.pdb"
  "libbench_outputs.dll.a"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/bench_outputs.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()

file(REMOVE_RECURSE
  "CMakeFiles/bench_plugin.dir/bench/plugin.cpp.obj"
  "CMakeFiles/bench_plugin.dir/bench/plugin.cpp.obj.d"
  "bin/bench_plugin.exe"
  "bin/bench_plugin.pdb"
  "libbench_plugin.dll.a"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/bench_plugin.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()

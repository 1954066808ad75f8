file(REMOVE_RECURSE
  "CMakeFiles/bench_skin.dir/bench/skin.cpp.obj"
  "CMakeFiles/bench_skin.dir/bench/skin.cpp.obj.d"
  "bin/bench_skin.exe"
  "bin/bench_skin.pdb"
  "libbench_skin.dll.a"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/bench_skin.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()

file(REMOVE_RECURSE
  "CMakeFiles/bench_mediakeys.dir/bench/mediakeys.cpp.obj"
  "CMakeFiles/bench_mediakeys.dir/bench/mediakeys.cpp.obj.d"
  "bin/bench_mediakeys.exe"
  "bin/bench_mediakeys.pdb"
  "libbench_mediakeys.dll.a"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/bench_mediakeys.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()

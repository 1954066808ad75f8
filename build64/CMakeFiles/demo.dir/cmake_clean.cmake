file(REMOVE_RECURSE
  "CMakeFiles/demo.dir/demo/demo.cpp.obj"
  "CMakeFiles/demo.dir/demo/demo.cpp.obj.d"
  "CMakeFiles/demo.dir/demo/nowplaying.cpp.obj"
  "CMakeFiles/demo.dir/demo/nowplaying.cpp.obj.d"
  "CMakeFiles/demo.dir/demo/options.cpp.obj"
  "CMakeFiles/demo.dir/demo/options.cpp.obj.d"
  "CMakeFiles/demo.dir/demo/skin.cpp.obj"
  "CMakeFiles/demo.dir/demo/skin.cpp.obj.d"
  "bin/demo.exe"
  "bin/demo.pdb"
  "libdemo.dll.a"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/demo.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()

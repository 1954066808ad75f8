file(REMOVE_RECURSE
  "CMakeFiles/host.dir/host/gdiobjects.cpp.obj"
  "CMakeFiles/host.dir/host/gdiobjects.cpp.obj.d"
  "CMakeFiles/host.dir/host/host.cpp.obj"
  "CMakeFiles/host.dir/host/host.cpp.obj.d"
  "CMakeFiles/host.dir/host/input.cpp.obj"
  "CMakeFiles/host.dir/host/input.cpp.obj.d"
  "CMakeFiles/host.dir/host/menus.cpp.obj"
  "CMakeFiles/host.dir/host/menus.cpp.obj.d"
  "CMakeFiles/host.dir/host/msglog.cpp.obj"
  "CMakeFiles/host.dir/host/msglog.cpp.obj.d"
  "CMakeFiles/host.dir/host/readback.cpp.obj"
  "CMakeFiles/host.dir/host/readback.cpp.obj.d"
  "CMakeFiles/host.dir/host/screenshot.cpp.obj"
  "CMakeFiles/host.dir/host/screenshot.cpp.obj.d"
  "libhost.a"
  "libhost.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/host.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()

file(REMOVE_RECURSE
  "../bin/hostile_peer.exe"
  "../bin/hostile_peer.pdb"
  "CMakeFiles/hostile_peer.dir/programs/hostile_peer.cpp.obj"
  "CMakeFiles/hostile_peer.dir/programs/hostile_peer.cpp.obj.d"
  "libhostile_peer.dll.a"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/hostile_peer.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()

file(REMOVE_RECURSE
  "../bin/peer.exe"
  "../bin/peer.pdb"
  "CMakeFiles/peer.dir/programs/peer.cpp.obj"
  "CMakeFiles/peer.dir/programs/peer.cpp.obj.d"
  "libpeer.dll.a"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/peer.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()

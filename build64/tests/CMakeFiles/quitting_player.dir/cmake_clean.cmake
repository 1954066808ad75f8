file(REMOVE_RECURSE
  "../bin/quitting_player.exe"
  "../bin/quitting_player.pdb"
  "CMakeFiles/quitting_player.dir/programs/quitting_player.cpp.obj"
  "CMakeFiles/quitting_player.dir/programs/quitting_player.cpp.obj.d"
  "libquitting_player.dll.a"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/quitting_player.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()

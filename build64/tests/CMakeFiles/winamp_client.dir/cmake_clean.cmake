file(REMOVE_RECURSE
  "../bin/winamp_client.exe"
  "../bin/winamp_client.pdb"
  "CMakeFiles/winamp_client.dir/programs/winamp_client.cpp.obj"
  "CMakeFiles/winamp_client.dir/programs/winamp_client.cpp.obj.d"
  "libwinamp_client.dll.a"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/winamp_client.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()

file(REMOVE_RECURSE
  "../bin/duzazezuvu_recorder.exe"
  "../bin/duzazezuvu_recorder.pdb"
  "CMakeFiles/duzazezuvu_recorder.dir/programs/duzazezuvu_recorder.cpp.obj"
  "CMakeFiles/duzazezuvu_recorder.dir/programs/duzazezuvu_recorder.cpp.obj.d"
  "libduzazezuvu_recorder.dll.a"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/duzazezuvu_recorder.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()

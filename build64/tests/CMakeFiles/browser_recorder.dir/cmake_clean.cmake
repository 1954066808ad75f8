file(REMOVE_RECURSE
  "../bin/browser_recorder.exe"
  "../bin/browser_recorder.pdb"
  "CMakeFiles/browser_recorder.dir/programs/browser_recorder.cpp.obj"
  "CMakeFiles/browser_recorder.dir/programs/browser_recorder.cpp.obj.d"
  "libbrowser_recorder.dll.a"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/browser_recorder.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()

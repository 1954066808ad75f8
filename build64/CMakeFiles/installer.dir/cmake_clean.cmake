file(REMOVE_RECURSE
  "CMakeFiles/installer"
  "bin/Bramblecourt-Setup.exe"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/installer.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()

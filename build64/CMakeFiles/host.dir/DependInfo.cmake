
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/wt-i17/host/gdiobjects.cpp" "CMakeFiles/host.dir/host/gdiobjects.cpp.obj" "gcc" "CMakeFiles/host.dir/host/gdiobjects.cpp.obj.d"
  "/work/wt-i17/host/host.cpp" "CMakeFiles/host.dir/host/host.cpp.obj" "gcc" "CMakeFiles/host.dir/host/host.cpp.obj.d"
  "/work/wt-i17/host/input.cpp" "CMakeFiles/host.dir/host/input.cpp.obj" "gcc" "CMakeFiles/host.dir/host/input.cpp.obj.d"
  "/work/wt-i17/host/menus.cpp" "CMakeFiles/host.dir/host/menus.cpp.obj" "gcc" "CMakeFiles/host.dir/host/menus.cpp.obj.d"
  "/work/wt-i17/host/msglog.cpp" "CMakeFiles/host.dir/host/msglog.cpp.obj" "gcc" "CMakeFiles/host.dir/host/msglog.cpp.obj.d"
  "/work/wt-i17/host/readback.cpp" "CMakeFiles/host.dir/host/readback.cpp.obj" "gcc" "CMakeFiles/host.dir/host/readback.cpp.obj.d"
  "/work/wt-i17/host/screenshot.cpp" "CMakeFiles/host.dir/host/screenshot.cpp.obj" "gcc" "CMakeFiles/host.dir/host/screenshot.cpp.obj.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")

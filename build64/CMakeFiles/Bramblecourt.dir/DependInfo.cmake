
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  "RC"
  )
# The set of files for implicit dependencies of each language:
set(CMAKE_DEPENDS_CHECK_RC
  "/work/wt-i17/src/resources/bramblecourt.rc" "/work/wt-i17/build64/CMakeFiles/Bramblecourt.dir/src/resources/bramblecourt.rc.res"
  )

# Preprocessor definitions for this target.
set(CMAKE_TARGET_DEFINITIONS_RC
  "Bramblecourt_EXPORTS"
  "NOMINMAX"
  "WIN32_LEAN_AND_MEAN"
  "WINVER=0x0600"
  "_WIN32_WINNT=0x0600"
  )

# The include file search paths:
set(CMAKE_RC_TARGET_INCLUDE_PATH
  "/work/wt-i17/src"
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/wt-i17/src/mainwindow/lyricsurl.cpp" "CMakeFiles/Bramblecourt.dir/src/mainwindow/lyricsurl.cpp.obj" "gcc" "CMakeFiles/Bramblecourt.dir/src/mainwindow/lyricsurl.cpp.obj.d"
  "/work/wt-i17/src/mainwindow/mainwindow.cpp" "CMakeFiles/Bramblecourt.dir/src/mainwindow/mainwindow.cpp.obj" "gcc" "CMakeFiles/Bramblecourt.dir/src/mainwindow/mainwindow.cpp.obj.d"
  "/work/wt-i17/src/mainwindow/mediakeys.cpp" "CMakeFiles/Bramblecourt.dir/src/mainwindow/mediakeys.cpp.obj" "gcc" "CMakeFiles/Bramblecourt.dir/src/mainwindow/mediakeys.cpp.obj.d"
  "/work/wt-i17/src/mainwindow/menubar.cpp" "CMakeFiles/Bramblecourt.dir/src/mainwindow/menubar.cpp.obj" "gcc" "CMakeFiles/Bramblecourt.dir/src/mainwindow/menubar.cpp.obj.d"
  "/work/wt-i17/src/mainwindow/popup.cpp" "CMakeFiles/Bramblecourt.dir/src/mainwindow/popup.cpp.obj" "gcc" "CMakeFiles/Bramblecourt.dir/src/mainwindow/popup.cpp.obj.d"
  "/work/wt-i17/src/nowplaying/external.cpp" "CMakeFiles/Bramblecourt.dir/src/nowplaying/external.cpp.obj" "gcc" "CMakeFiles/Bramblecourt.dir/src/nowplaying/external.cpp.obj.d"
  "/work/wt-i17/src/nowplaying/outputs.cpp" "CMakeFiles/Bramblecourt.dir/src/nowplaying/outputs.cpp.obj" "gcc" "CMakeFiles/Bramblecourt.dir/src/nowplaying/outputs.cpp.obj.d"
  "/work/wt-i17/src/nowplaying/track.cpp" "CMakeFiles/Bramblecourt.dir/src/nowplaying/track.cpp.obj" "gcc" "CMakeFiles/Bramblecourt.dir/src/nowplaying/track.cpp.obj.d"
  "/work/wt-i17/src/nowplaying/winamp.cpp" "CMakeFiles/Bramblecourt.dir/src/nowplaying/winamp.cpp.obj" "gcc" "CMakeFiles/Bramblecourt.dir/src/nowplaying/winamp.cpp.obj.d"
  "/work/wt-i17/src/nowplaying/workers.cpp" "CMakeFiles/Bramblecourt.dir/src/nowplaying/workers.cpp.obj" "gcc" "CMakeFiles/Bramblecourt.dir/src/nowplaying/workers.cpp.obj.d"
  "/work/wt-i17/src/plugin/cleanup.cpp" "CMakeFiles/Bramblecourt.dir/src/plugin/cleanup.cpp.obj" "gcc" "CMakeFiles/Bramblecourt.dir/src/plugin/cleanup.cpp.obj.d"
  "/work/wt-i17/src/plugin/entry.cpp" "CMakeFiles/Bramblecourt.dir/src/plugin/entry.cpp.obj" "gcc" "CMakeFiles/Bramblecourt.dir/src/plugin/entry.cpp.obj.d"
  "/work/wt-i17/src/plugin/modulethread.cpp" "CMakeFiles/Bramblecourt.dir/src/plugin/modulethread.cpp.obj" "gcc" "CMakeFiles/Bramblecourt.dir/src/plugin/modulethread.cpp.obj.d"
  "/work/wt-i17/src/plugin/startup.cpp" "CMakeFiles/Bramblecourt.dir/src/plugin/startup.cpp.obj" "gcc" "CMakeFiles/Bramblecourt.dir/src/plugin/startup.cpp.obj.d"
  "/work/wt-i17/src/settings/options.cpp" "CMakeFiles/Bramblecourt.dir/src/settings/options.cpp.obj" "gcc" "CMakeFiles/Bramblecourt.dir/src/settings/options.cpp.obj.d"
  "/work/wt-i17/src/settings/optionslayout.cpp" "CMakeFiles/Bramblecourt.dir/src/settings/optionslayout.cpp.obj" "gcc" "CMakeFiles/Bramblecourt.dir/src/settings/optionslayout.cpp.obj.d"
  "/work/wt-i17/src/settings/store.cpp" "CMakeFiles/Bramblecourt.dir/src/settings/store.cpp.obj" "gcc" "CMakeFiles/Bramblecourt.dir/src/settings/store.cpp.obj.d"
  "/work/wt-i17/src/skin/buttons.cpp" "CMakeFiles/Bramblecourt.dir/src/skin/buttons.cpp.obj" "gcc" "CMakeFiles/Bramblecourt.dir/src/skin/buttons.cpp.obj.d"
  "/work/wt-i17/src/skin/children.cpp" "CMakeFiles/Bramblecourt.dir/src/skin/children.cpp.obj" "gcc" "CMakeFiles/Bramblecourt.dir/src/skin/children.cpp.obj.d"
  "/work/wt-i17/src/skin/equalizer.cpp" "CMakeFiles/Bramblecourt.dir/src/skin/equalizer.cpp.obj" "gcc" "CMakeFiles/Bramblecourt.dir/src/skin/equalizer.cpp.obj.d"
  "/work/wt-i17/src/skin/paint.cpp" "CMakeFiles/Bramblecourt.dir/src/skin/paint.cpp.obj" "gcc" "CMakeFiles/Bramblecourt.dir/src/skin/paint.cpp.obj.d"
  "/work/wt-i17/src/skin/resources.cpp" "CMakeFiles/Bramblecourt.dir/src/skin/resources.cpp.obj" "gcc" "CMakeFiles/Bramblecourt.dir/src/skin/resources.cpp.obj.d"
  "/work/wt-i17/src/skin/shapes.cpp" "CMakeFiles/Bramblecourt.dir/src/skin/shapes.cpp.obj" "gcc" "CMakeFiles/Bramblecourt.dir/src/skin/shapes.cpp.obj.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")

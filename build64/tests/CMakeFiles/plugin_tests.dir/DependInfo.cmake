
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/wt-i17/src/mainwindow/lyricsurl.cpp" "tests/CMakeFiles/plugin_tests.dir/__/src/mainwindow/lyricsurl.cpp.obj" "gcc" "tests/CMakeFiles/plugin_tests.dir/__/src/mainwindow/lyricsurl.cpp.obj.d"
  "/work/wt-i17/tests/dialog_driver.cpp" "tests/CMakeFiles/plugin_tests.dir/dialog_driver.cpp.obj" "gcc" "tests/CMakeFiles/plugin_tests.dir/dialog_driver.cpp.obj.d"
  "/work/wt-i17/tests/harness.cpp" "tests/CMakeFiles/plugin_tests.dir/harness.cpp.obj" "gcc" "tests/CMakeFiles/plugin_tests.dir/harness.cpp.obj.d"
  "/work/wt-i17/tests/hostile_input_test.cpp" "tests/CMakeFiles/plugin_tests.dir/hostile_input_test.cpp.obj" "gcc" "tests/CMakeFiles/plugin_tests.dir/hostile_input_test.cpp.obj.d"
  "/work/wt-i17/tests/installer_test.cpp" "tests/CMakeFiles/plugin_tests.dir/installer_test.cpp.obj" "gcc" "tests/CMakeFiles/plugin_tests.dir/installer_test.cpp.obj.d"
  "/work/wt-i17/tests/lyrics_lookup_test.cpp" "tests/CMakeFiles/plugin_tests.dir/lyrics_lookup_test.cpp.obj" "gcc" "tests/CMakeFiles/plugin_tests.dir/lyrics_lookup_test.cpp.obj.d"
  "/work/wt-i17/tests/mainwindow_policies_test.cpp" "tests/CMakeFiles/plugin_tests.dir/mainwindow_policies_test.cpp.obj" "gcc" "tests/CMakeFiles/plugin_tests.dir/mainwindow_policies_test.cpp.obj.d"
  "/work/wt-i17/tests/mediakeys_hook_test.cpp" "tests/CMakeFiles/plugin_tests.dir/mediakeys_hook_test.cpp.obj" "gcc" "tests/CMakeFiles/plugin_tests.dir/mediakeys_hook_test.cpp.obj.d"
  "/work/wt-i17/tests/menubar_commands_test.cpp" "tests/CMakeFiles/plugin_tests.dir/menubar_commands_test.cpp.obj" "gcc" "tests/CMakeFiles/plugin_tests.dir/menubar_commands_test.cpp.obj.d"
  "/work/wt-i17/tests/menubar_label_test.cpp" "tests/CMakeFiles/plugin_tests.dir/menubar_label_test.cpp.obj" "gcc" "tests/CMakeFiles/plugin_tests.dir/menubar_label_test.cpp.obj.d"
  "/work/wt-i17/tests/nowplaying_clock_test.cpp" "tests/CMakeFiles/plugin_tests.dir/nowplaying_clock_test.cpp.obj" "gcc" "tests/CMakeFiles/plugin_tests.dir/nowplaying_clock_test.cpp.obj.d"
  "/work/wt-i17/tests/nowplaying_external_test.cpp" "tests/CMakeFiles/plugin_tests.dir/nowplaying_external_test.cpp.obj" "gcc" "tests/CMakeFiles/plugin_tests.dir/nowplaying_external_test.cpp.obj.d"
  "/work/wt-i17/tests/nowplaying_fixture.cpp" "tests/CMakeFiles/plugin_tests.dir/nowplaying_fixture.cpp.obj" "gcc" "tests/CMakeFiles/plugin_tests.dir/nowplaying_fixture.cpp.obj.d"
  "/work/wt-i17/tests/nowplaying_outputs_test.cpp" "tests/CMakeFiles/plugin_tests.dir/nowplaying_outputs_test.cpp.obj" "gcc" "tests/CMakeFiles/plugin_tests.dir/nowplaying_outputs_test.cpp.obj.d"
  "/work/wt-i17/tests/nowplaying_peer.cpp" "tests/CMakeFiles/plugin_tests.dir/nowplaying_peer.cpp.obj" "gcc" "tests/CMakeFiles/plugin_tests.dir/nowplaying_peer.cpp.obj.d"
  "/work/wt-i17/tests/nowplaying_winamp_test.cpp" "tests/CMakeFiles/plugin_tests.dir/nowplaying_winamp_test.cpp.obj" "gcc" "tests/CMakeFiles/plugin_tests.dir/nowplaying_winamp_test.cpp.obj.d"
  "/work/wt-i17/tests/nowplaying_worker_test.cpp" "tests/CMakeFiles/plugin_tests.dir/nowplaying_worker_test.cpp.obj" "gcc" "tests/CMakeFiles/plugin_tests.dir/nowplaying_worker_test.cpp.obj.d"
  "/work/wt-i17/tests/options_dialog_test.cpp" "tests/CMakeFiles/plugin_tests.dir/options_dialog_test.cpp.obj" "gcc" "tests/CMakeFiles/plugin_tests.dir/options_dialog_test.cpp.obj.d"
  "/work/wt-i17/tests/options_features_test.cpp" "tests/CMakeFiles/plugin_tests.dir/options_features_test.cpp.obj" "gcc" "tests/CMakeFiles/plugin_tests.dir/options_features_test.cpp.obj.d"
  "/work/wt-i17/tests/plugin_entry_test.cpp" "tests/CMakeFiles/plugin_tests.dir/plugin_entry_test.cpp.obj" "gcc" "tests/CMakeFiles/plugin_tests.dir/plugin_entry_test.cpp.obj.d"
  "/work/wt-i17/tests/popup_menu_test.cpp" "tests/CMakeFiles/plugin_tests.dir/popup_menu_test.cpp.obj" "gcc" "tests/CMakeFiles/plugin_tests.dir/popup_menu_test.cpp.obj.d"
  "/work/wt-i17/tests/settings_store_test.cpp" "tests/CMakeFiles/plugin_tests.dir/settings_store_test.cpp.obj" "gcc" "tests/CMakeFiles/plugin_tests.dir/settings_store_test.cpp.obj.d"
  "/work/wt-i17/tests/skin_bar_test.cpp" "tests/CMakeFiles/plugin_tests.dir/skin_bar_test.cpp.obj" "gcc" "tests/CMakeFiles/plugin_tests.dir/skin_bar_test.cpp.obj.d"
  "/work/wt-i17/tests/skin_shape_test.cpp" "tests/CMakeFiles/plugin_tests.dir/skin_shape_test.cpp.obj" "gcc" "tests/CMakeFiles/plugin_tests.dir/skin_shape_test.cpp.obj.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/wt-i17/build64/CMakeFiles/host.dir/DependInfo.cmake"
  "/work/wt-i17/build64/googletest/googletest/CMakeFiles/gtest_main.dir/DependInfo.cmake"
  "/work/wt-i17/build64/googletest/googletest/CMakeFiles/gtest.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")

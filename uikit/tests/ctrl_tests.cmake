# Tests of the skinned controls, run on Qt's offscreen platform.
find_package(Qt6 REQUIRED COMPONENTS Test)
set(_ctrl_tests ${CMAKE_CURRENT_LIST_DIR})
kestrel_add_test(uikit_ctrl_tests
  ${_ctrl_tests}/ctrl_test_env.cpp
  ${_ctrl_tests}/ctrl_gdip_test.cpp
  ${_ctrl_tests}/ctrl_button_test.cpp
  ${_ctrl_tests}/ctrl_listbox_test.cpp
  ${_ctrl_tests}/ctrl_slider_test.cpp
  ${_ctrl_tests}/ctrl_vscroll_test.cpp
  ${_ctrl_tests}/ctrl_misc_test.cpp
  ${_ctrl_tests}/ctrl_skin_test.cpp
  LIBS uikit Qt6::Test)

# Skin loaders and utility helpers of uikit (the INI class they read with
# lives in uikit_core).
target_sources(uikit PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/skin/SkinNumbers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin/CUIText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin/CUIImage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin/CUICoordi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin/CUIResources.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin/SkinScale.cpp
  ${CMAKE_CURRENT_LIST_DIR}/util/UserFolders.cpp
  ${CMAKE_CURRENT_LIST_DIR}/util/CUtilReg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/util/CUtilPath.cpp
  ${CMAKE_CURRENT_LIST_DIR}/util/CUtilMessageBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/util/CTitleBarDrag.cpp)
if(KESTREL_TESTS)
  set(_uikit_st_tests ${CMAKE_CURRENT_LIST_DIR}/tests)
  kestrel_add_test(uikit_skin_tests
    ${_uikit_st_tests}/skin_text_test.cpp
    ${_uikit_st_tests}/skin_image_coordi_test.cpp
    ${_uikit_st_tests}/skin_scale_test.cpp
    ${_uikit_st_tests}/skin_resources_lookup_test.cpp
    ${_uikit_st_tests}/util_gui_env.cpp
    LIBS uikit)
  kestrel_add_test(uikit_util_tests
    ${_uikit_st_tests}/util_reg_test.cpp
    ${_uikit_st_tests}/util_path_test.cpp
    ${_uikit_st_tests}/util_title_bar_drag_test.cpp
    ${_uikit_st_tests}/util_gui_env.cpp
    LIBS uikit)
endif()

# The skinned controls of uikit: Qt widgets painted from skin images.
target_sources(uikit PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/controls/CMsgTarget.h
  ${CMAKE_CURRENT_LIST_DIR}/controls/CtrlMessages.h
  ${CMAKE_CURRENT_LIST_DIR}/controls/CCtrlWnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls/CCtrlGDIpString.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls/CCtrlButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls/CCtrlButtonEx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls/CCtrlStatic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls/CCtrlImage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls/CCtrlNumber.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls/CCtrlSlider.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls/CCtrlSliderEx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls/CCtrlVScroll.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls/CCtrlListbox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls/CCtrlListboxView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls/CCtrlGroupBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls/CHyperLink.cpp)

if(KESTREL_TESTS)
  include(${CMAKE_CURRENT_LIST_DIR}/tests/ctrl_tests.cmake)
endif()

# The application shell's two screens: the start screen and the directions
# screen. Included from this folder's CMakeLists.txt.
add_library(coredesign_shell_screens STATIC
  ${CMAKE_CURRENT_LIST_DIR}/frmDirections.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmEnter.cpp
)
add_library(CoreDesign::shell_screens ALIAS coredesign_shell_screens)
set_target_properties(coredesign_shell_screens PROPERTIES AUTOMOC ON)
target_include_directories(coredesign_shell_screens PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(coredesign_shell_screens
  PUBLIC Qt6::Widgets coredesign_screens coredesign_shell coredesign_engine
  PRIVATE coredesign_resources coredesign_warnings)

# The settings panel, its colour columns and the inline colour picker.
tavrin_component(tavrin_settings_ui
  ColorColumn.cpp
  ColorConversion.cpp
  ColorMath.cpp
  ControlsColumn.cpp
  FontPopUp.cpp
  InlineColorPicker.cpp
  PanelColumn.cpp
  SettingsControls.cpp
  SettingsPanel.cpp
  SubPanelRowButton.cpp
  SwatchButton.cpp
  SwatchGrid.cpp)
target_link_libraries(tavrin_settings_ui PUBLIC Qt6::Widgets tavrin_settings tavrin_session
  tavrin_widgets)
target_link_libraries(tavrin_ui INTERFACE tavrin_settings_ui)

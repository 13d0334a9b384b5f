tavrin_test(settings_widgets_tests
  SOURCES ColorMathTest.cpp InlineColorPickerTest.cpp SettingsPanelTest.cpp
  LIBS tavrin_settings_ui
  WIDGETS)

# The settings record, its file and the preset tables; no widgets.
tavrin_component(tavrin_settings Presets.cpp SettingsFile.cpp)
target_include_directories(tavrin_settings SYSTEM PRIVATE ${RAPIDJSON_INCLUDE_DIR})
target_link_libraries(tavrin_settings PUBLIC tavrin_common PRIVATE simdjson::simdjson)
target_link_libraries(tavrin_core INTERFACE tavrin_settings)

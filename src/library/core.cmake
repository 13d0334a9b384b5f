# The library store and its persisted format; no widgets.
tavrin_component(tavrin_library BookCodec.cpp BookContents.cpp LibraryStore.cpp)
target_include_directories(tavrin_library SYSTEM PRIVATE ${RAPIDJSON_INCLUDE_DIR})
target_link_libraries(tavrin_library PUBLIC tavrin_common tavrin_tokenize PRIVATE simdjson::simdjson)
target_link_libraries(tavrin_core INTERFACE tavrin_library)

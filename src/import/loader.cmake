# PDF text, document kinds and titles, the blocking import shared by the app and the tool,
# and the loader that runs imports in the background.
tavrin_component(tavrin_import
  DocumentImport.cpp
  DocumentKind.cpp
  DocumentLoader.cpp
  PDFParser.cpp)
target_link_libraries(tavrin_import
  PUBLIC tavrin_epub tavrin_session tavrin_library tavrin_tokenize
  PRIVATE PkgConfig::POPPLER_CPP Qt6::Concurrent)
target_link_libraries(tavrin_core INTERFACE tavrin_import)

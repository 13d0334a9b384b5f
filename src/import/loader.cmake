# PDF text (poppler's core interface for the pages, poppler-glib for the outline), document kinds and
# titles, the blocking import shared by the app and the tool, and the background loader.
tavrin_component(tavrin_import
  DocumentImport.cpp
  ImportError.cpp
  DocumentKind.cpp
  DocumentLoader.cpp
  PageFurniture.cpp
  PageJoin.cpp
  PDFChapters.cpp
  PDFOutline.cpp
  PDFPageText.cpp
  PDFParser.cpp)
target_link_libraries(tavrin_import
  PUBLIC tavrin_epub tavrin_session tavrin_library tavrin_tokenize
  PRIVATE PkgConfig::POPPLER PkgConfig::POPPLER_GLIB Qt6::Concurrent)
target_link_libraries(tavrin_core INTERFACE tavrin_import)

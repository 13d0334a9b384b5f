# The EPUB importer: reads the archive in place with libzip, XML and HTML with libxml2.
tavrin_component(tavrin_epub
  EPUBContents.cpp
  EPUBContentWalker.cpp
  EPUBMetadata.cpp
  EPUBParser.cpp
  EPUBStartPosition.cpp
  PathUtil.cpp
  Utf8Repair.cpp
  XmlDocument.cpp
  ZipArchive.cpp)
target_link_libraries(tavrin_epub
  PUBLIC PkgConfig::LIBXML2 tavrin_common tavrin_tokenize
  PRIVATE PkgConfig::LIBZIP)
target_link_libraries(tavrin_core INTERFACE tavrin_epub)

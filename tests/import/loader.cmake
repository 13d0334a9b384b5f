# PDF text, document kinds and titles, imports and the background loader.
find_package(ZLIB REQUIRED)
tavrin_test(tavrin_import_tests
  SOURCES
    DocumentImportTest.cpp
    DocumentKindTest.cpp
    DocumentLoaderTest.cpp
    ImportTestFiles.cpp
    PDFParserTest.cpp
    TestPdf.cpp
    # The EPUB tests' archive builders make the books imported here.
    EpubBuilder.cpp
    ZipBuilder.cpp
  LIBS tavrin_import ZLIB::ZLIB)

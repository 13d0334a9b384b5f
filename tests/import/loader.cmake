# PDF text, document kinds and titles, imports and the background loader.
find_package(ZLIB REQUIRED)
tavrin_test(tavrin_import_tests
  SOURCES
    DocumentImportTest.cpp
    DocumentKindTest.cpp
    DocumentLoaderTest.cpp
    PDFParserTest.cpp
    TestPdf.cpp
    # The EPUB tests' archive builders make the books imported here.
    EpubBuilder.cpp
    ZipBuilder.cpp
  LIBS tavrin_import ZLIB::ZLIB)
# Fixed PDFs the tests read (made once by the project's own PDF writer).
target_compile_definitions(tavrin_import_tests
  PRIVATE TAVRIN_IMPORT_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")

# EPUB importer tests; the archives they read are built in memory by ZipBuilder.
find_package(ZLIB REQUIRED)
tavrin_test(tavrin_epub_tests
  SOURCES
    EpubBuilder.cpp
    ZipBuilder.cpp
    EPUBContentWalkerTest.cpp
    EPUBParserTest.cpp
    EPUBMetadataTest.cpp
    EPUBStartPositionTest.cpp
    PathUtilTest.cpp
    ZipArchiveTest.cpp
  LIBS tavrin_epub ZLIB::ZLIB)
# The recorded output the golden book test compares with.
target_compile_definitions(tavrin_epub_tests
  PRIVATE TAVRIN_IMPORT_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")

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

tavrin_test(library_store_tests
  SOURCES BookCodecTest.cpp BookContentsTest.cpp LibraryStoreTest.cpp PreferencesFileTest.cpp
  LIBS tavrin_library)

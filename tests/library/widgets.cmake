tavrin_test(library_widgets_tests
  SOURCES BookCoverTileTest.cpp BookSortingTest.cpp BooksPanelTest.cpp CoverPaletteTest.cpp
          TextFittingTest.cpp
  LIBS tavrin_library_ui
  WIDGETS)

# The library panel and its cover tiles.
tavrin_component(tavrin_library_ui
  BookCoverTile.cpp
  BookGrid.cpp
  BookSorting.cpp
  BooksPanel.cpp
  CoverImageCache.cpp
  CoverPalette.cpp
  DropFilter.cpp
  DropHighlight.cpp
  FileDropFilter.cpp
  EmptyLibraryView.cpp
  GeneratedCover.cpp
  LibraryGeometry.cpp
  TextFitting.cpp)
target_link_libraries(tavrin_library_ui PUBLIC Qt6::Widgets tavrin_library tavrin_widgets)
target_link_libraries(tavrin_ui INTERFACE tavrin_library_ui)

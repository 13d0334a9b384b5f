# The library panel, its cover tiles and the drawing pieces the settings panel shares.
tavrin_component(tavrin_library_ui
  BookCoverTile.cpp
  BookGrid.cpp
  BookSorting.cpp
  BooksPanel.cpp
  CoverImageCache.cpp
  CoverPalette.cpp
  Divider.cpp
  DropFilter.cpp
  DropHighlight.cpp
  EmptyLibraryView.cpp
  GeneratedCover.cpp
  LibraryGeometry.cpp
  PanelStyle.cpp
  PillButton.cpp
  Shadows.cpp
  SymbolButton.cpp
  Symbols.cpp
  TextFitting.cpp)
target_link_libraries(tavrin_library_ui PUBLIC Qt6::Widgets tavrin_library)
target_link_libraries(tavrin_ui INTERFACE tavrin_library_ui)

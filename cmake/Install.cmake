# Where `cmake --install` puts the reader: the programs, and the desktop entry, AppStream
# metadata and icons that make it an application on freedesktop.org desktops; and the
# Debian package (`cpack -G DEB`, run by `make package`) built from the same install.
include(GNUInstallDirs)

set(TAVRIN_APP_ID io.github.tavrin.Tavrin)
set(TAVRIN_ICON_SIZES 16 22 24 32 48 64 128 256 512)

install(TARGETS tavrin tavrin-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/${TAVRIN_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/${TAVRIN_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/hicolor/scalable/apps/tavrin.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size IN LISTS TAVRIN_ICON_SIZES)
  install(FILES ${PROJECT_SOURCE_DIR}/data/icons/hicolor/${size}x${size}/apps/tavrin.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Debian keeps the licence and the changelog of a package in its doc directory, the
# changelog and manual pages compressed without a time stamp so that builds repeat.
set(TAVRIN_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tavrin)
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright DESTINATION ${TAVRIN_DOC_DIR})
set(compressed)
foreach(source debian/changelog man/tavrin.1 man/tavrin-tool.1)
  get_filename_component(name ${source} NAME)
  if(name STREQUAL "changelog")
    set(name changelog.gz)
  else()
    set(name ${name}.gz)
  endif()
  add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/data/${name}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/data
    COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/data/${source} > ${PROJECT_BINARY_DIR}/data/${name}
    DEPENDS ${PROJECT_SOURCE_DIR}/data/${source} VERBATIM)
  list(APPEND compressed ${PROJECT_BINARY_DIR}/data/${name})
endforeach()
add_custom_target(tavrin_compressed_docs ALL DEPENDS ${compressed})
install(FILES ${PROJECT_BINARY_DIR}/data/changelog.gz DESTINATION ${TAVRIN_DOC_DIR})
install(FILES ${PROJECT_BINARY_DIR}/data/tavrin.1.gz ${PROJECT_BINARY_DIR}/data/tavrin-tool.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(TAVRIN_PACKAGE_MAINTAINER "The Tavrin developers <tavrin@users.noreply.github.com>"
    CACHE STRING "Maintainer named in the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavrin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT ${TAVRIN_PACKAGE_MAINTAINER})
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "speed reader showing a book one word at a time")
# CPack puts the summary first and turns the empty line into Debian's paragraph mark.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Tavrin shows a book one word at a time in the middle of its window, at the
speed you set in words per minute, with one letter of every word in a
highlight colour on the window's centre line, so that the eyes never move.

It imports plain text, PDF and EPUB files into a library that keeps their
covers, titles and authors and the word where reading stopped. The package
also holds tavrin-tool, a command-line companion over the same library.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps sees the libraries the programs link, not the plug-ins Qt loads: the X11
# and Wayland platform plug-ins are needed to open a window at all, and the image format
# plug-ins read WebP covers; the fonts are the faces the font menu offers.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
  "qt6-image-formats-plugins, fonts-liberation2, fonts-urw-base35, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

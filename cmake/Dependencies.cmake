# Every dependency is a Debian package (see scripts/install-deps).
find_package(Qt6 6.4 REQUIRED COMPONENTS Core Gui Widgets Concurrent Network Test)
find_package(PkgConfig REQUIRED)
pkg_check_modules(ICU REQUIRED IMPORTED_TARGET icu-uc icu-i18n)
pkg_check_modules(LIBXML2 REQUIRED IMPORTED_TARGET libxml-2.0)
pkg_check_modules(LIBZIP REQUIRED IMPORTED_TARGET libzip)
# Page text through poppler's core interface (its private headers), one text device per thread
# as pdftotext does: the C++ interface makes a device per page and so repeats colour set-up.
pkg_check_modules(POPPLER REQUIRED IMPORTED_TARGET poppler)
# The C++ interface exposes no outline destinations; the GLib one does, without Qt Gui.
pkg_check_modules(POPPLER_GLIB REQUIRED IMPORTED_TARGET poppler-glib)
find_package(simdjson REQUIRED)
find_path(RAPIDJSON_INCLUDE_DIR rapidjson/writer.h REQUIRED)

if(TAVRIN_BUILD_TESTS)
  find_package(GTest REQUIRED)
endif()
if(TAVRIN_BUILD_BENCH)
  find_package(benchmark REQUIRED)
endif()

set(CMAKE_AUTOMOC ON)

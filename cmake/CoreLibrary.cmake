# The core: result files, rows, judging, the CSV text, the report's pages,
# the chart's drawing, the distributions' charts and images (Qt SVG), the
# summary writers, the workbook and the output files. No widgets,
# so the command line, the window, the tests and the fuzz targets share one
# code path. Included by the main build and by the fuzz build, each with its
# own compiler flags.
get_filename_component(QUENVALE_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
file(GLOB QUENVALE_CORE_SOURCES CONFIGURE_DEPENDS
     ${QUENVALE_ROOT}/data/*.cpp ${QUENVALE_ROOT}/data/*.h
     ${QUENVALE_ROOT}/output/*.cpp ${QUENVALE_ROOT}/output/*.h)
add_library(quenvale_core STATIC ${QUENVALE_CORE_SOURCES})
target_include_directories(quenvale_core PUBLIC ${QUENVALE_ROOT})
# Workbooks are written by libxlsxwriter (BSD), whose Debian package ships
# a pkg-config file.
find_package(PkgConfig REQUIRED)
pkg_check_modules(XLSXWRITER REQUIRED IMPORTED_TARGET xlsxwriter)
# The content hash that tells a file's versions apart: xxHash's XXH3.
pkg_check_modules(XXHASH REQUIRED IMPORTED_TARGET libxxhash)
target_link_libraries(quenvale_core PUBLIC Qt6::Core Qt6::Gui Qt6::Svg PkgConfig::XLSXWRITER PkgConfig::XXHASH
                      ${CMAKE_DL_LIBS})
# Every program that writes workbooks exports the function through which
# libxlsxwriter adds parts to its zips, so that the call reaches the
# program's own (output/WorkbookExport.cpp), which asks zlib for its
# quickest level.
target_link_options(quenvale_core INTERFACE "LINKER:--export-dynamic-symbol=zipOpenNewFileInZip4_64")
target_compile_definitions(quenvale_core PUBLIC QUENVALE_VERSION="${QUENVALE_VERSION}")
# Core texts are bytes of code page 936: no silent conversions from char *.
target_compile_definitions(quenvale_core PRIVATE QT_NO_CAST_FROM_ASCII)
# The translations' installed folder as each program finds it from its own:
# quenvale in the binaries' folder, quenvale-gui in libexec's.
include(GNUInstallDirs)
file(RELATIVE_PATH QUENVALE_TRANSLATIONS_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/quenvale/translations)
file(RELATIVE_PATH QUENVALE_TRANSLATIONS_FROM_LIBEXEC ${CMAKE_INSTALL_FULL_LIBEXECDIR}/quenvale
     ${CMAKE_INSTALL_FULL_DATADIR}/quenvale/translations)
set_property(SOURCE ${QUENVALE_ROOT}/output/Translations.cpp APPEND PROPERTY COMPILE_DEFINITIONS
             QUENVALE_TRANSLATIONS_FROM_BIN="${QUENVALE_TRANSLATIONS_FROM_BIN}"
             QUENVALE_TRANSLATIONS_FROM_LIBEXEC="${QUENVALE_TRANSLATIONS_FROM_LIBEXEC}")

# The framework-compatible archive and the run-time classes it creates
# objects of: Qt Core alone.
file(GLOB QUENVALE_ARCHIVE_SOURCES CONFIGURE_DEPENDS
     ${QUENVALE_ROOT}/archive/*.cpp ${QUENVALE_ROOT}/archive/*.h)
add_library(quenvale_archive STATIC ${QUENVALE_ARCHIVE_SOURCES})
target_link_libraries(quenvale_archive PUBLIC quenvale_core)

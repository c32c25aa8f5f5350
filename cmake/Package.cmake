# `cmake --build build --target package` builds build/quenvale_<version>_<arch>.deb
# from the install rules. The file type, desktop entry and icons are taken in
# by the triggers of shared-mime-info, desktop-file-utils and the icon theme,
# so the package needs no scripts of its own.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quenvale)
set(CPACK_PACKAGE_VENDOR "The Quenvale developers")
set(CPACK_PACKAGE_CONTACT "${QUENVALE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for fiber measurement result files")
set(CPACK_PACKAGE_DESCRIPTION
"Quenvale shows the result files (.fib) of fiber measurements: fixed-column
text tables of the powers measured on 18 CWDM channels of every fiber.
Result files open into tabs; for the fiber chosen, its channels appear in a
list and a bar chart, and a click marks a channel.

The whole table of a file can be exported as CSV and printed as a paginated
report. From the command line, CSV files and PDF reports are written
without a window, one per result file; every fiber is judged against its
thresholds, with each channel's statistics (percentiles, Cpk, a Pareto of
failures); a folder's files are taken together as a lot in time order,
with retests counted once and each file's summary kept in a cache; and each
channel's distribution is drawn as a PNG, SVG or PDF image.")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUENVALE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Fonts are loaded by name, and Qt's SQLite driver (the summary cache) as
# a plugin, so dpkg-shlibdeps cannot see them: the form's Song face, the
# report's CJK face and the driver.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-uming, fonts-noto-cjk, libqt6sql6-sqlite, libqt6sql6-psql")
# Qt's Wayland plugin, so that the window runs natively on Wayland desktops;
# without it Qt falls back to X11 (XWayland there). Qt's own translations,
# so that its dialogs speak the interface's language too.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")

include(CPack)

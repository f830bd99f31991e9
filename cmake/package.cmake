# `make package` (cpack -G DEB in the build folder) builds a .deb of
# everything `make install` installs, for /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mojihyo)
set(CPACK_PACKAGE_VENDOR "MoJiHyo developers")
set(CPACK_PACKAGE_CONTACT "MoJiHyo developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the character tables used to translate games")
set(CPACK_PACKAGE_DESCRIPTION
    "MoJiHyo edits font tables: the character tables that map a game's text
bytes to characters. It reads and writes Thingy and Hexposure tables (.tbl)
and its own MoJiHyo tables (.tab), handling every table as bytes, and comes
with mojihyo-convert to convert tables and mojihyo-check to check them from
the command line.")
# The package stages its files through DESTDIR, so the install step knows it
# is not installing for real and leaves the desktop's caches to dpkg's
# triggers. With DESTDIR, CPack installs for CPACK_INSTALL_PREFIX.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/mojihyo/MoJiHyo)
# dpkg-shlibdeps names the Qt 6 and C++ runtime packages the programs link.
# Nothing links a font, yet the grid shows kana as boxes without one.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic | fonts-noto-cjk")
# Without it Qt still runs on Wayland desktops, through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)

include(CPack)

# A Debian package of the program, the command-line tool, the desktop entry, the
# car file type and the icon: `cpack -G DEB` in the build folder makes
# tavrel_<version>_amd64.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavrel)
set(CPACK_PACKAGE_VENDOR "Tavrel")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for the 3D car shapes of the racing game Zav")
set(CPACK_PACKAGE_CONTACT "Tavrel developers <tavrel@example.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_STRIP_FILES ON)
# The libraries the programs link, found from the programs themselves...
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# ...and what is loaded at run time instead: the SVG icons' plugin and software OpenGL.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, libgl1-mesa-dri")
include(CPack)

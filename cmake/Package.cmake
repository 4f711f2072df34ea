# `cmake --build --preset release --target package` makes a Debian package of what `cmake --install`
# installs, with its library dependencies worked out by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME wawetable)
set(CPACK_PACKAGE_VENDOR "Quarnel Electronics")
set(CPACK_PACKAGE_CONTACT "Quarnel Electronics <wawetable@quarnel.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "WAWETable simulator: a wavetable signal generator to step through")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "A teaching tool that imitates a wavetable signal generator built on a small microcontroller: "
    "an 8-bit table pointer walks a 256-byte wave table and every step sends one byte to an "
    "imitated digital-to-analogue converter, drawn as one more stair of a chart.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time rather than linked, so dpkg-shlibdeps cannot see them: Qt's platform plugins
# (the window cannot open without xcb; with qt6-wayland it opens natively on a Wayland desktop
# instead of through Xwayland), and the faces that the window and the axis labels ask for.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, fonts-liberation2, fonts-wine")
include(CPack)

# What `cmake --install` puts under the prefix, and the Debian package made from it.
set(BIDBENCH_ICON_SIZES 16 22 24 32 48 64 128 256)

install(TARGETS bidbench RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(FILES resources/help/Bidbench_help.htm DESTINATION "${BIDBENCH_DATA_INSTALL_DIR}/help")

configure_file(resources/bidbench.desktop.in "${CMAKE_BINARY_DIR}/${BIDBENCH_APP_ID}.desktop" @ONLY)
install(FILES "${CMAKE_BINARY_DIR}/${BIDBENCH_APP_ID}.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
configure_file(resources/bidbench.metainfo.xml.in "${CMAKE_BINARY_DIR}/${BIDBENCH_APP_ID}.metainfo.xml" @ONLY)
install(FILES "${CMAKE_BINARY_DIR}/${BIDBENCH_APP_ID}.metainfo.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")

# The window's icon is the same picture: resources/icons/bidbench.svg, compiled in.
set(icon_svg "${PROJECT_SOURCE_DIR}/resources/icons/bidbench.svg")
install(FILES "${icon_svg}" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps"
        RENAME "${BIDBENCH_APP_ID}.svg")
add_executable(bidbench_svgtopng cmake/tools/svgtopng.cpp)
target_link_libraries(bidbench_svgtopng PRIVATE Qt6::Gui Qt6::Svg)
set(icon_pngs)
foreach(size IN LISTS BIDBENCH_ICON_SIZES)
    set(png "${CMAKE_BINARY_DIR}/icons/${size}x${size}/${BIDBENCH_APP_ID}.png")
    add_custom_command(OUTPUT "${png}"
        COMMAND "${CMAKE_COMMAND}" -E make_directory "${CMAKE_BINARY_DIR}/icons/${size}x${size}"
        COMMAND bidbench_svgtopng "${icon_svg}" "${png}" ${size}
        DEPENDS bidbench_svgtopng "${icon_svg}"
        VERBATIM)
    list(APPEND icon_pngs "${png}")
    install(FILES "${png}" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
endforeach()
add_custom_target(bidbench_icons ALL DEPENDS ${icon_pngs})

# The Debian package, bidbench_<version>_<arch>.deb. Its dependencies come from
# dpkg-shlibdeps over the libraries the program links, so no list is kept by hand. The SVG
# icon engine that QIcon loads as a plugin ships in the same package as the Qt SVG library
# the program links (libqt6svg6), and QtWebEngineProcess comes with the WebEngine Widgets
# library's package. QtKeychain reaches the Secret Service through libsecret, which it loads
# when asked (so no library dependency names it), or KWallet over D-Bus: a store to keep the
# password in is recommended, not required (without one, the settings file keeps it).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME bidbench)
set(CPACK_PACKAGE_VENDOR "${BIDBENCH_MAKER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Browse eBay and snipe auctions through the Talvex service")
set(CPACK_PACKAGE_DESCRIPTION
    "${BIDBENCH_APP_TITLE} holds two browser panes, one logged into the Talvex sniping service and one on the eBay site of your country; on an item page one click opens the service's page for that item. With favourite sellers, bidders and searches, browser favourites and a small snipe toolbar.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${BIDBENCH_MAKER} <${BIDBENCH_SUPPORT_EMAIL}>")
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gnome-keyring | kwalletmanager, libsecret-1-0")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
